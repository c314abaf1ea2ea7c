# The support library's tests, one folder per group of the library.
steckwart_add_tests(support/strings LIBS support tap)
steckwart_add_tests(support/files LIBS support tap)
steckwart_add_tests(support/firmware LIBS support tap)
steckwart_add_tests(support/osd LIBS support tap)

# A firmware without the internals that plug-ins look up by name.
steckwart_add_tests(support/firmware/nointernals LIBS support tap_nointernals)
# A library that brings "_timeInfo" along when a test loads it.
add_library(steckwart_timeinfo_provider SHARED support/firmware/nointernals/timeinfo_provider.cpp)
add_dependencies(support_firmware_nointernals_FirmwareSymbolsMissing_test steckwart_timeinfo_provider)
target_compile_definitions(support_firmware_nointernals_FirmwareSymbolsMissing_test PRIVATE
  TIMEINFO_PROVIDER="$<TARGET_FILE:steckwart_timeinfo_provider>")
