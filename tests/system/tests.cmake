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
