# GNU wget for the recorder: the plug-in asks the router with
# /mnt/hd/ProgramFiles/wget and reads GNU wget's own messages, so the package
# brings one.  Built from Debian's source package (scripts/setup fetches it
# into .cache/debian-source/), cross-compiled with Debian's mipsel compiler
# and linked statically, so that it needs no library on the recorder.  It
# talks plain HTTP only: the router is asked at an address in the home
# network, which is enough for the plug-in.
#
# configure takes most of the build's time (it tries the compiler some
# hundred times); it runs once per build tree.
include(ExternalProject)

set(STECKWART_DEBIAN_SOURCES ${PROJECT_SOURCE_DIR}/.cache/debian-source)
file(GLOB wget_sources LIST_DIRECTORIES true ${STECKWART_DEBIAN_SOURCES}/wget-*)
list(FILTER wget_sources INCLUDE REGEX "/wget-[0-9.]+$")
list(SORT wget_sources COMPARE NATURAL)
list(POP_BACK wget_sources wget_newest)
# Empty: the newest that scripts/setup fetched, looked for anew at every
# configure (so that a configure before setup does not keep a stale path).
set(STECKWART_WGET_SOURCE "" CACHE PATH
    "Debian's wget source package, unpacked (empty: the one scripts/setup fetches)")
set(wget_source "${STECKWART_WGET_SOURCE}")
if(NOT wget_source)
  set(wget_source "${wget_newest}")
endif()
if(NOT EXISTS "${wget_source}/configure" OR
   NOT EXISTS "${wget_source}/debian/changelog")
  message(FATAL_ERROR "The package needs Debian's wget source package in "
                      "${STECKWART_DEBIAN_SOURCES}: run scripts/setup, which fetches it "
                      "(or name an unpacked one with -DSTECKWART_WGET_SOURCE=DIR).")
endif()

# "wget (1.21.3-1+deb12u1) bookworm; urgency=medium": Debian's version, and
# the upstream release before its "-".
file(STRINGS ${wget_source}/debian/changelog wget_changes LIMIT_COUNT 1)
string(REGEX REPLACE "^wget \\(([^)]+)\\).*" "\\1" WGET_DEBIAN_VERSION "${wget_changes}")
string(REGEX REPLACE "-[^-]*$" "" WGET_VERSION "${WGET_DEBIAN_VERSION}")
message(STATUS "GNU wget for the recorder: Debian's ${WGET_DEBIAN_VERSION} in ${wget_source}")

# What is statically linked into it besides wget: Debian's C library for the
# cross compiler.
execute_process(COMMAND dpkg-query
                        [=[-f=${Package} ${Version} (Debian's source package ${source:Package} ${source:Version})]=]
                        -W libc6-dev-mipsel-cross
                OUTPUT_VARIABLE WGET_C_LIBRARY OUTPUT_STRIP_TRAILING_WHITESPACE)

# Nothing but the C library: no TLS, IDN, PSL, PCRE, zlib, gettext or NTLM
# (whose libraries the recorder lacks).  pkg-config is kept away from the
# PC's libraries.  glibc's mktime is sound; configure cannot try it when
# cross-compiling and would put gnulib's beside it, which a static link
# refuses.
set(WGET_CONFIGURE_OPTIONS
  --host=mipsel-linux-gnu --disable-nls --disable-iri --without-ssl --without-zlib
  --without-libpsl --disable-pcre --disable-pcre2 --without-libuuid --without-metalink
  --without-cares --disable-ntlm --disable-xattr --disable-rpath --disable-dependency-tracking)
set(WGET_CONFIGURE_ENVIRONMENT
  CC=${CMAKE_C_COMPILER} CFLAGS=-O2 LDFLAGS=-static gl_cv_func_working_mktime=yes
  PKG_CONFIG_LIBDIR=/nonexistent PKG_CONFIG_PATH=)

set(wget_program ${CMAKE_CURRENT_BINARY_DIR}/recorder/wget)
ExternalProject_Add(wget
  SOURCE_DIR ${wget_source}
  PREFIX ${CMAKE_CURRENT_BINARY_DIR}/wget-build
  BINARY_DIR ${CMAKE_CURRENT_BINARY_DIR}/wget-build/build
  DOWNLOAD_COMMAND ""
  UPDATE_COMMAND ""
  CONFIGURE_COMMAND ${CMAKE_COMMAND} -E env ${WGET_CONFIGURE_ENVIRONMENT}
                    <SOURCE_DIR>/configure ${WGET_CONFIGURE_OPTIONS}
  # The program only: its manual needs tools the recorder's wget does not.
  BUILD_COMMAND make -C lib
        COMMAND make -C src wget
  INSTALL_COMMAND ${CMAKE_STRIP} -o ${wget_program} <BINARY_DIR>/src/wget
  BUILD_BYPRODUCTS ${wget_program}
  LOG_CONFIGURE ON LOG_BUILD ON LOG_INSTALL ON LOG_OUTPUT_ON_FAILURE ON)

string(REPLACE ";" " " WGET_CONFIGURE_LINE "${WGET_CONFIGURE_OPTIONS}")
configure_file(wget-SOURCE.txt.in wget-SOURCE.txt @ONLY)
install(PROGRAMS ${wget_program} DESTINATION ProgramFiles)
install(FILES ${wget_source}/COPYING DESTINATION ProgramFiles/wget-licence)
install(FILES /usr/share/common-licenses/LGPL-2.1 DESTINATION ProgramFiles/wget-licence
        RENAME COPYING.LIB)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/wget-SOURCE.txt DESTINATION ProgramFiles/wget-licence
        RENAME SOURCE.txt)
