steckwart_add_tests(plugin LIBS steckwart support tap)
