# The plug-in core.  The key handling draws through the screens and sends
# commands through the router link to a small HTTP server (httpstub).
steckwart_add_tests(plugin LIBS screens_testing router_httpstub steckwart support tap elfimage)

# The image as the loader sees it: read and loaded, not linked.
target_compile_definitions(plugin_image_test PRIVATE STECKWART_IMAGE="$<TARGET_FILE:Steckwart>")
add_dependencies(plugin_image_test Steckwart)
