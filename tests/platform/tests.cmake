steckwart_add_tests(platform/libtap LIBS tap)
