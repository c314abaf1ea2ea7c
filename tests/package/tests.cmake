# What the package ships, read by the plug-in's own code.
steckwart_add_tests(package LIBS steckwart support tap)
target_compile_definitions(package_settings_template_test PRIVATE
  STECKWART_SETTINGS_TEMPLATE="${PROJECT_SOURCE_DIR}/package/Steckwart.ini")
