# The benchmarks' instruction counter for MIPS: a MIPS test program under
# qemu-mipsel with the plugin from the host build, reading what it counted.
if(STECKWART_FLAVOUR STREQUAL "box")
  set(counts ${CMAKE_CURRENT_BINARY_DIR}/bench_qemu_insncount_counts.txt)
  add_executable(bench_qemu_insncount_test bench/qemu/insncount_test.cpp)
  target_include_directories(bench_qemu_insncount_test PRIVATE ${PROJECT_SOURCE_DIR}/bench)
  target_link_libraries(bench_qemu_insncount_test PRIVATE
    steckwart_testing bench_counting tap GTest::gtest_main)
  target_compile_definitions(bench_qemu_insncount_test PRIVATE STECKWART_COUNTS="${counts}")
  add_test(NAME bench/qemu/insncount
           COMMAND ${STECKWART_SANDBOX} -- qemu-mipsel -L /usr/mipsel-linux-gnu
                   -plugin ${STECKWART_HOST_BUILD}/bench/qemu/libinsncount.so,out=${counts}
                   $<TARGET_FILE:bench_qemu_insncount_test>)
  set_tests_properties(bench/qemu/insncount PROPERTIES LABELS "${STECKWART_FLAVOUR};bench")
endif()
