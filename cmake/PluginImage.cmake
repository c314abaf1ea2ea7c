# steckwart_add_plugin_image(<target> SOURCES <sources…> LIBS <libraries…>)
#
# Builds a plug-in image the way the recorder's loader takes it: a shared
# object named <target>.so without the C run-time's start files (an image
# defines _init and _finit itself) and without the C++ run-time, so that libc
# is its only needed library.  crtbeginS.o and crtendS.o are linked
# explicitly: without them __dso_handle is missing and unloading crashes.
# Firmware API symbols stay undefined; the firmware provides them at load.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=crtbeginS.o
                OUTPUT_VARIABLE STECKWART_CRTBEGIN OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=crtendS.o
                OUTPUT_VARIABLE STECKWART_CRTEND OUTPUT_STRIP_TRAILING_WHITESPACE)

function(steckwart_add_plugin_image target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${target} MODULE ${ARG_SOURCES})
  set_target_properties(${target} PROPERTIES PREFIX "" SUFFIX ".so")
  target_link_libraries(${target} PRIVATE tap_api)
  # Keep the identification objects in the order they are written.
  target_compile_options(${target} PRIVATE ${STECKWART_PLUGIN_FLAGS} -fno-toplevel-reorder)
  target_link_options(${target} PRIVATE -nostartfiles ${STECKWART_CRTBEGIN} -nodefaultlibs)
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} -lc -lgcc ${STECKWART_CRTEND})
endfunction()
