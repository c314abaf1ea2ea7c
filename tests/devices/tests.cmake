steckwart_add_tests(devices LIBS steckwart support tap)
