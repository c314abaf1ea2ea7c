# Cross-build for the recorder: MIPS32 little-endian, Debian's cross compiler.
# Tests run under qemu-mipsel with the cross libraries as its root.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR mipsel)
set(CMAKE_C_COMPILER mipsel-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER mipsel-linux-gnu-g++)
set(STECKWART_CROSS_ROOT /usr/mipsel-linux-gnu)  # Debian's cross libraries
set(CMAKE_FIND_ROOT_PATH ${STECKWART_CROSS_ROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR "qemu-mipsel;-L;${STECKWART_CROSS_ROOT}")
