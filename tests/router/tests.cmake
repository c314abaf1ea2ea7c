# The router link.  The unit tests talk to a small HTTP server inside the
# test (httpstub) and run in every flavour; the end-to-end tests in system/
# drive the router simulator, a host program, and run on the host only.
find_package(Threads REQUIRED)
add_library(router_httpstub STATIC router/httpstub.cpp router/routertest.cpp router/opensslcheck.cpp)
target_include_directories(router_httpstub PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/router)
target_link_libraries(router_httpstub PUBLIC Threads::Threads steckwart_testing steckwart tap)

steckwart_add_tests(router LIBS steckwart support tap router_httpstub)

# End to end with the router simulator (a host program).
if(NOT STECKWART_FLAVOUR STREQUAL "box")
  steckwart_add_tests(router/system LIBS steckwart support tap routersim_harness LABELS system)
  # The simulator's test harness starts and controls it.
  foreach(test RouterLink Responsiveness)
    target_include_directories(router_system_${test}_test PRIVATE
      ${CMAKE_CURRENT_SOURCE_DIR}/tools/routersim)
  endforeach()
  # The whole plug-in runs, with its fonts; the test stands in front of the
  # firmware's TAP_SystemProc (found with dlsym).
  target_link_libraries(router_system_Responsiveness_test PRIVATE ${CMAKE_DL_LIBS})
  add_dependencies(router_system_Responsiveness_test fonts)
endif()
