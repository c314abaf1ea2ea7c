# End-to-end tests.  The browser test drives boxsim's web remote in headless
# Chromium (playwright-core, installed by scripts/setup); with the plug-in
# built it also runs the plug-in against the router simulator.  It starts
# boxsim, which makes its own sandbox, so it runs outside one.  Host flavour
# only: the sanitizer flavour's boxsim is tested by the C++ tests.
if(STECKWART_FLAVOUR STREQUAL "host")
  find_program(STECKWART_NODE node REQUIRED)
  set(browser_environment
    "STECKWART_BOXSIM=$<TARGET_FILE:boxsim>"
    "STECKWART_FIXTURE=$<TARGET_FILE:boxsim_fixture>"
    "STECKWART_ROUTERSIM=$<TARGET_FILE:routersim>"
    "STECKWART_OUTPUT=${CMAKE_CURRENT_BINARY_DIR}/system/browser")
  if(TARGET Steckwart)
    list(APPEND browser_environment "STECKWART_PLUGIN=$<TARGET_FILE:Steckwart>")
  endif()
  add_test(NAME system/browser/webremote
           COMMAND ${STECKWART_NODE} --test --test-reporter=spec
                   ${CMAKE_CURRENT_SOURCE_DIR}/system/browser/webremote.test.mjs)
  set_tests_properties(system/browser/webremote PROPERTIES
    LABELS "host;system;browser" ENVIRONMENT "${browser_environment}" TIMEOUT 300)
endif()
