# The soak: the plug-in image in the box against the router simulator for
# many main-loop passes (soak/soak.cpp).  CTest runs a bounded soak (label
# soak); scripts/soak runs the full 20,000 passes.  Host flavour only (the
# sanitizers' run-time does not mix with an image loaded this way), once the
# image is built.
set(STECKWART_SOAK_PASSES 2000 CACHE STRING "Main-loop passes of the soak under ctest")
if(STECKWART_FLAVOUR STREQUAL "host" AND TARGET Steckwart)
  find_package(Threads REQUIRED)
  add_executable(soak soak/soak.cpp)
  # The plug-in's headers only: the soak must define none of the image's
  # symbols, since it exports its own, so that the image's calls to
  # TAP_SystemProc reach the soak's first.
  target_include_directories(soak PRIVATE ${PROJECT_SOURCE_DIR}/devices
    ${PROJECT_SOURCE_DIR}/support ${CMAKE_CURRENT_SOURCE_DIR}/tools/routersim)
  set_target_properties(soak PROPERTIES ENABLE_EXPORTS ON)
  target_link_libraries(soak PRIVATE routersim_harness tap ${CMAKE_DL_LIBS} Threads::Threads)
  add_dependencies(soak Steckwart routersim)
  add_test(NAME soak/soak
           COMMAND ${STECKWART_SANDBOX} -- $<TARGET_FILE:soak> --image $<TARGET_FILE:Steckwart>
                   --passes ${STECKWART_SOAK_PASSES})
  set_tests_properties(soak/soak PROPERTIES LABELS "${STECKWART_FLAVOUR};soak;slow" TIMEOUT 600)
endif()
