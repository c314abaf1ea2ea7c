# The platform: host firmware, ELF reader and image checks, sandbox, boxsim.
steckwart_add_tests(platform/libtap LIBS tap ${CMAKE_DL_LIBS})
# The firmware without its internals, for the "symbol missing" paths.
steckwart_add_tests(platform/libtap/nointernals LIBS tap_nointernals ${CMAKE_DL_LIBS})
steckwart_add_tests(platform/elf LIBS elfimage)

# The fixture: a tiny plug-in image with its own identification sections.
steckwart_add_plugin_image(boxsim_fixture
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/platform/box/fixture/fixture.cpp)

# steckwart_add_image_test(<image target>): checks that an image is what the
# recorder loads: a shared object for this flavour's processor with valid
# identification sections, whose undefined symbols are all firmware API,
# libc or libdl.
add_executable(platform_elf_pluginimage_check platform/elf/pluginimage_check.cpp)
target_link_libraries(platform_elf_pluginimage_check PRIVATE
  steckwart_testing elfimage tap_api ${CMAKE_DL_LIBS} GTest::gtest_main)
target_compile_definitions(platform_elf_pluginimage_check PRIVATE
  STECKWART_LIBTAP="$<TARGET_FILE:tap>")
function(steckwart_add_image_test target)
  add_test(NAME platform/elf/pluginimage/${target}
           COMMAND ${STECKWART_SANDBOX} -- ${STECKWART_TEST_EMULATOR}
                   $<TARGET_FILE:platform_elf_pluginimage_check>)
  set_tests_properties(platform/elf/pluginimage/${target} PROPERTIES
    LABELS "${STECKWART_FLAVOUR}" ENVIRONMENT "STECKWART_IMAGE=$<TARGET_FILE:${target}>")
endfunction()
steckwart_add_image_test(boxsim_fixture)
if(TARGET Steckwart)
  steckwart_add_image_test(Steckwart)
endif()

# The sandbox and boxsim, black-box.  These tests start sandboxes themselves,
# so they run outside one (a plain add_test).  Host flavours only.
if(NOT STECKWART_FLAVOUR STREQUAL "box")
  find_package(PNG REQUIRED)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/platform/box)
  add_library(steckwart_process STATIC platform/box/process.cpp)
  target_link_libraries(steckwart_process PUBLIC GTest::gtest)
  target_compile_definitions(steckwart_process PRIVATE STECKWART_TEST_OUTPUT="${output}")
  add_executable(nonamespaces platform/box/nonamespaces.cpp)

  foreach(name sandbox boxsim webremote)
    add_executable(platform_box_${name}_test platform/box/${name}_test.cpp)
    target_link_libraries(platform_box_${name}_test PRIVATE steckwart_process GTest::gtest_main)
    add_test(NAME platform/box/${name} COMMAND platform_box_${name}_test)
    set_tests_properties(platform/box/${name} PROPERTIES LABELS "${STECKWART_FLAVOUR};slow")
  endforeach()
  target_compile_definitions(platform_box_sandbox_test PRIVATE STECKWART_SANDBOX="${STECKWART_SANDBOX}")
  target_link_libraries(platform_box_boxsim_test PRIVATE tap_api PNG::PNG)
  target_compile_definitions(platform_box_boxsim_test PRIVATE
    STECKWART_BOXSIM="$<TARGET_FILE:boxsim>"
    STECKWART_FIXTURE="$<TARGET_FILE:boxsim_fixture>"
    STECKWART_LIBTAP="$<TARGET_FILE:tap>"
    STECKWART_NONAMESPACES="$<TARGET_FILE:nonamespaces>"
    STECKWART_FONT_DIR="${STECKWART_FONT_DIR}")
  add_dependencies(platform_box_boxsim_test boxsim boxsim_fixture nonamespaces)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(WEBREMOTE_HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
  target_link_libraries(platform_box_webremote_test PRIVATE tap_api PNG::PNG
                                                            PkgConfig::WEBREMOTE_HTTPLIB)
  target_compile_definitions(platform_box_webremote_test PRIVATE
    STECKWART_BOXSIM="$<TARGET_FILE:boxsim>" STECKWART_FIXTURE="$<TARGET_FILE:boxsim_fixture>")
  add_dependencies(platform_box_webremote_test boxsim boxsim_fixture)
  add_dependencies(platform_box_sandbox_test sandbox)

  # The box flavour's PNG encoder, checked on the host against libpng.
  steckwart_add_test(platform_box_snapshot_uncompressed_test platform/box/snapshot_uncompressed
    SOURCES platform/box/snapshot_uncompressed_test.cpp
            ${PROJECT_SOURCE_DIR}/platform/box/snapshot_uncompressed.cpp
    LIBS PNG::PNG)
  target_include_directories(platform_box_snapshot_uncompressed_test PRIVATE
    ${PROJECT_SOURCE_DIR}/platform/box)
endif()

target_compile_definitions(platform_elf_elfimage_test PRIVATE
  STECKWART_FIXTURE="$<TARGET_FILE:boxsim_fixture>" STECKWART_LIBTAP="$<TARGET_FILE:tap>")
add_dependencies(platform_elf_elfimage_test boxsim_fixture)
