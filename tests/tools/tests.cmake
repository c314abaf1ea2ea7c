# Host tools: the font maker (host flavours only).
if(NOT STECKWART_FLAVOUR STREQUAL "box")
  steckwart_add_tests(tools/mkufnt)
  target_compile_definitions(tools_mkufnt_mkufnt_test PRIVATE
    STECKWART_MKUFNT="$<TARGET_FILE:mkufnt>" STECKWART_CARLITO="${STECKWART_CARLITO}")
  add_dependencies(tools_mkufnt_mkufnt_test mkufnt fonts)
endif()
