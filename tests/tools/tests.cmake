# Host tools: the font maker and the router simulator, host flavours only.
if(NOT STECKWART_FLAVOUR STREQUAL "box")
  steckwart_add_tests(tools/mkufnt)
  target_compile_definitions(tools_mkufnt_mkufnt_test PRIVATE
    STECKWART_MKUFNT="$<TARGET_FILE:mkufnt>" STECKWART_CARLITO="${STECKWART_CARLITO}")
  add_dependencies(tools_mkufnt_mkufnt_test mkufnt fonts)

  # routersim is tested black-box: a harness starts it and talks HTTP.
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(TEST_HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
  pkg_check_modules(TEST_PUGIXML REQUIRED IMPORTED_TARGET pugixml)
  pkg_check_modules(TEST_LIBCRYPTO REQUIRED IMPORTED_TARGET libcrypto)
  add_library(routersim_harness STATIC tools/routersim/harness.cpp)
  target_link_libraries(routersim_harness PUBLIC steckwart_testing
    PkgConfig::TEST_HTTPLIB PkgConfig::TEST_PUGIXML PkgConfig::TEST_LIBCRYPTO)
  add_dependencies(routersim_harness routersim)
  steckwart_add_tests(tools/routersim LIBS routersim_harness LABELS routersim)
endif()
