# Golden images (tests/golden/**/*.png): the host build turns each into the
# raw form the tests of both flavours read (golden.h); scripts/update-goldens
# regenerates the PNGs.
set(STECKWART_GOLDEN_RAW ${STECKWART_TOOLS_BUILD}/golden)
if(NOT STECKWART_FLAVOUR STREQUAL "box")
  find_package(PNG REQUIRED)
  add_executable(goldentool golden/goldentool.cpp)
  target_link_libraries(goldentool PRIVATE PNG::PNG)
  file(GLOB_RECURSE golden_images CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}/golden
       ${CMAKE_CURRENT_SOURCE_DIR}/golden/*.png)
  set(golden_raw_files)
  foreach(image ${golden_images})
    string(REGEX REPLACE "\\.png$" ".argb" raw ${image})
    set(raw ${STECKWART_GOLDEN_RAW}/${raw})
    get_filename_component(raw_folder ${raw} DIRECTORY)
    add_custom_command(OUTPUT ${raw}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${raw_folder}
      COMMAND goldentool ${CMAKE_CURRENT_SOURCE_DIR}/golden/${image} ${raw}
      DEPENDS goldentool ${CMAKE_CURRENT_SOURCE_DIR}/golden/${image}
      COMMENT "Golden image ${image}" VERBATIM)
    list(APPEND golden_raw_files ${raw})
  endforeach()
  add_custom_target(golden_images ALL DEPENDS ${golden_raw_files})
endif()

add_library(steckwart_golden OBJECT golden/golden.cpp)
target_include_directories(steckwart_golden PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/golden)
target_link_libraries(steckwart_golden PUBLIC steckwart_testing)
target_compile_definitions(steckwart_golden PRIVATE
  STECKWART_GOLDEN_SOURCE="${CMAKE_CURRENT_SOURCE_DIR}/golden"
  STECKWART_GOLDEN_RAW="${STECKWART_GOLDEN_RAW}")
if(NOT STECKWART_FLAVOUR STREQUAL "box")
  target_compile_definitions(steckwart_golden PRIVATE STECKWART_GOLDEN_PNG)
  target_link_libraries(steckwart_golden PUBLIC PNG::PNG)
endif()
