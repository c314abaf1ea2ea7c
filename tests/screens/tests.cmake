# The list screen and the detail panel, drawn with the plug-in's real fonts
# into the host firmware's region.  screens_testing sets the plug-in up as
# TAP_Main does; the key handling's tests (tests/plugin) use it too.
add_library(screens_testing STATIC screens/common/screentest.cpp)
# The firmware (tap or tap_nointernals) is each test's choice.
target_include_directories(screens_testing PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/screens/common
  $<TARGET_PROPERTY:tap,INTERFACE_INCLUDE_DIRECTORIES>)
target_link_libraries(screens_testing PUBLIC steckwart_testing steckwart_golden steckwart support)

steckwart_add_tests(screens LIBS screens_testing tap)
# A firmware without the internals the support library looks up (its region
# table among them).
steckwart_add_tests(screens/nointernals LIBS screens_testing tap_nointernals)
# The golden images are compared with pictures of whole screens.
set_tests_properties(screens/SmartHomeAusgabeGolden PROPERTIES LABELS "${STECKWART_FLAVOUR};golden")
if(TARGET golden_images)
  add_dependencies(screens_SmartHomeAusgabeGolden_test golden_images)
endif()
target_compile_definitions(screens_ScreenTexts_test PRIVATE
  STECKWART_PLUGIN_LIBRARY="$<TARGET_FILE:steckwart>")
