# End to end: the real plug-in image in the box simulator against the router
# simulator.  Host flavours only (both simulators are host programs).
if(NOT STECKWART_FLAVOUR STREQUAL "box")
  find_package(PNG REQUIRED)
  steckwart_add_test(system_screenshots_test system/screenshots
    SOURCES system/screenshots_test.cpp
    LIBS routersim_harness steckwart_golden PNG::PNG
    LABELS "system;golden")
  target_include_directories(system_screenshots_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tools/routersim)
  add_dependencies(system_screenshots_test boxsim Steckwart routersim)
  if(TARGET golden_images)
    add_dependencies(system_screenshots_test golden_images)
  endif()
endif()

# The browser test drives boxsim's web remote in headless Chromium
# (playwright-core, installed by scripts/setup): with the fixture plug-in,
# and with the plug-in against the router simulator.  It starts boxsim,
# which makes its own sandbox, so it runs outside one.  Host flavour only:
# the sanitizer flavour's boxsim is tested by the C++ tests.
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
           COMMAND ${STECKWART_NODE} --test
                   ${CMAKE_CURRENT_SOURCE_DIR}/system/browser/webremote.test.mjs)
  set_tests_properties(system/browser/webremote PROPERTIES
    LABELS "host;system;browser" ENVIRONMENT "${browser_environment}" TIMEOUT 300)
endif()
