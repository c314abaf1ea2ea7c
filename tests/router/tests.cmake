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
  target_include_directories(router_system_RouterLink_test PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/tools/routersim)
endif()
