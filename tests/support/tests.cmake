# The support library's tests, one folder per group of the library.
steckwart_add_tests(support/strings LIBS support tap)
steckwart_add_tests(support/files LIBS support tap)
steckwart_add_tests(support/firmware LIBS support tap)
# Tests that read the library's warnings link a recording LogEntrySupLibPrintf
# in place of the library's own, which discards them (logcapture.h).
add_library(support_logcapture OBJECT support/logcapture/logcapture.cpp)
target_include_directories(support_logcapture PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/support/logcapture)
steckwart_add_tests(support/osd LIBS support_logcapture support tap)
steckwart_add_tests(support/osd/noregiontable LIBS support_logcapture support tap_nointernals)

# The font manager's tests: hand-made fonts, the program name the plug-in
# image would define, and a count of the reads the font manager makes
# (--wrap=read sees every read(2) call of the objects linked in).
add_library(support_fonttest OBJECT support/fontmanager/common/fonttest.cpp)
target_include_directories(support_fonttest PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/support/fontmanager/common)
target_link_libraries(support_fonttest PUBLIC steckwart_testing support tap)
steckwart_add_tests(support/fontmanager
  LIBS support_fonttest support_logcapture steckwart_golden support tap)
get_property(fontmanager_test_targets DIRECTORY PROPERTY BUILDSYSTEM_TARGETS)
list(FILTER fontmanager_test_targets INCLUDE REGEX "^support_fontmanager_.*_test$")
foreach(target ${fontmanager_test_targets})
  target_link_options(${target} PRIVATE LINKER:--wrap=read)
endforeach()
set_tests_properties(support/fontmanager/FMUC_PutStringGolden PROPERTIES
  LABELS "${STECKWART_FLAVOUR};golden")
if(TARGET golden_images)
  add_dependencies(support_fontmanager_FMUC_PutStringGolden_test golden_images)
endif()

# Local time: the European rule is checked against the C library's zone
# data up to 2040, which needs a 64-bit time_t on the recorder too.
steckwart_add_tests(support/time LIBS support tap)
steckwart_add_tests(support/time/nointernals LIBS support tap_nointernals)
get_property(time_test_targets DIRECTORY PROPERTY BUILDSYSTEM_TARGETS)
list(FILTER time_test_targets INCLUDE REGEX "^support_time_.*_test$")
foreach(target ${time_test_targets})
  target_compile_definitions(${target} PRIVATE _TIME_BITS=64 _FILE_OFFSET_BITS=64)
endforeach()

# A firmware without the internals that plug-ins look up by name.
steckwart_add_tests(support/firmware/nointernals LIBS support tap_nointernals)
steckwart_add_tests(support/files/nointernals LIBS support tap_nointernals)
# The firmware is always loaded on the box, also for a test that calls none
# of its functions directly (the symbol look-ups need it in the process).
get_property(support_test_targets DIRECTORY PROPERTY BUILDSYSTEM_TARGETS)
list(FILTER support_test_targets INCLUDE REGEX "^support_.*_test$")
foreach(target ${support_test_targets})
  target_link_options(${target} PRIVATE LINKER:--no-as-needed)
endforeach()

# A library that brings "_timeInfo" along when a test loads it.
add_library(steckwart_timeinfo_provider SHARED support/firmware/nointernals/timeinfo_provider.cpp)
add_dependencies(support_firmware_nointernals_FirmwareSymbolsMissing_test steckwart_timeinfo_provider)
target_compile_definitions(support_firmware_nointernals_FirmwareSymbolsMissing_test PRIVATE
  TIMEINFO_PROVIDER="$<TARGET_FILE:steckwart_timeinfo_provider>")

# The reference the character tables are checked against, made with other
# converters than the tables' sources; and the check that the committed
# tables are what their generator makes.
find_program(STECKWART_PYTHON3 python3 HINTS /usr/bin REQUIRED)
set(CHARSET_REFERENCE ${CMAKE_CURRENT_BINARY_DIR}/charset_reference.txt)
add_custom_command(OUTPUT ${CHARSET_REFERENCE}
  COMMAND ${STECKWART_PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/support/strings/charset_reference.py
          ${CHARSET_REFERENCE}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/support/strings/charset_reference.py
  COMMENT "Making the character table reference")
add_custom_target(charset_reference ALL DEPENDS ${CHARSET_REFERENCE})
add_dependencies(support_strings_CharacterTables_test charset_reference)
target_compile_definitions(support_strings_CharacterTables_test PRIVATE
  CHARSET_REFERENCE="${CHARSET_REFERENCE}")
add_test(NAME support/strings/tables/generated
  COMMAND ${STECKWART_SANDBOX} -- ${STECKWART_PYTHON3}
          ${PROJECT_SOURCE_DIR}/support/strings/tables/generate_tables.py --check)
set_tests_properties(support/strings/tables/generated PROPERTIES LABELS "${STECKWART_FLAVOUR}")
