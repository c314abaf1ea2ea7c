# End to end: the real plug-in image in the box simulator against the router
# simulator.  The test programs are host programs (routersim, libpng); the
# box flavour runs the host build's with its own MIPS boxsim and image.
if(NOT STECKWART_FLAVOUR STREQUAL "box")
  find_package(PNG REQUIRED)
  add_library(system_testing STATIC system/systemrun.cpp)
  target_link_libraries(system_testing PUBLIC steckwart_testing steckwart_golden PNG::PNG)
  steckwart_add_test(system_screenshots_test system/screenshots
    SOURCES system/screenshots_test.cpp
    LIBS routersim_harness system_testing
    LABELS "system;golden")
  target_include_directories(system_screenshots_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tools/routersim)
  add_dependencies(system_screenshots_test boxsim Steckwart routersim)
  if(TARGET golden_images)
    add_dependencies(system_screenshots_test golden_images)
  endif()

  # The package test: built here, run by the box flavour's CTest.
  add_executable(system_package_test system/package_test.cpp)
  target_link_libraries(system_package_test PRIVATE routersim_harness system_testing
                                                    GTest::gtest_main)
  target_include_directories(system_package_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tools/routersim)
  target_compile_definitions(system_package_test PRIVATE STECKWART_CMAKE="${CMAKE_COMMAND}")
  add_dependencies(system_package_test routersim)
else()
  # The recorder's image under qemu-mipsel in the MIPS boxsim, with the
  # screenshot scripts and golden images of the host flavour.
  set(STECKWART_HOST_TESTS ${STECKWART_HOST_BUILD}/tests)
  find_program(STECKWART_QEMU qemu-mipsel REQUIRED)
  set(mips_boxsim
    STECKWART_EMULATOR=${STECKWART_QEMU} "STECKWART_BOXSIM=$<TARGET_FILE:boxsim>"
    "STECKWART_OUTPUT=${CMAKE_CURRENT_BINARY_DIR}")
  add_test(NAME system/screenshots
           COMMAND ${STECKWART_SANDBOX} -- ${STECKWART_HOST_TESTS}/system_screenshots_test)
  set_tests_properties(system/screenshots PROPERTIES LABELS "box;system;golden"
    ENVIRONMENT "${mips_boxsim};STECKWART_IMAGE=$<TARGET_FILE:Steckwart>")

  # The package: made by cpack, unpacked and run by the package test.
  set(packages ${CMAKE_CURRENT_BINARY_DIR}/packages)
  add_test(NAME system/package/make
           COMMAND ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
                   -B ${packages})
  set_tests_properties(system/package/make PROPERTIES LABELS "box;system;package"
    FIXTURES_SETUP package)
  add_test(NAME system/package
           COMMAND ${STECKWART_SANDBOX} -- ${STECKWART_HOST_TESTS}/system_package_test)
  set_tests_properties(system/package PROPERTIES LABELS "box;system;package"
    FIXTURES_REQUIRED package
    ENVIRONMENT "${mips_boxsim};STECKWART_PACKAGE=${packages}/Steckwart-${PROJECT_VERSION}-mipsel")
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
