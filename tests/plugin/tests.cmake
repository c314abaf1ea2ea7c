# The plug-in core.  The key handling draws through the screens and sends
# commands through the router link to a small HTTP server (httpstub).
steckwart_add_tests(plugin LIBS screens_testing router_httpstub tap)
