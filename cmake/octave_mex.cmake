# korva_mex.mex for GNU Octave, built with the interleaved-complex interface,
# with libkorva.so beside it in build/mex.
find_program(MKOCTFILE mkoctfile)
if(NOT MKOCTFILE OR NOT TARGET korva)
  message(STATUS "Octave or libkorva not available: korva_mex.mex not built")
  return()
endif()
execute_process(COMMAND ${MKOCTFILE} -p INCFLAGS
                OUTPUT_VARIABLE OCTAVE_INCFLAGS OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${MKOCTFILE} -p OCTLIBDIR
                OUTPUT_VARIABLE OCTAVE_LIBDIR OUTPUT_STRIP_TRAILING_WHITESPACE)
separate_arguments(OCTAVE_INCFLAGS UNIX_COMMAND "${OCTAVE_INCFLAGS}")
set(KORVA_MEX_DIR ${PROJECT_BINARY_DIR}/mex)

add_library(korva_mex MODULE ${KORVA_MODULE_SOURCES} host/octave_glue.cpp)
target_include_directories(korva_mex PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(korva_mex PRIVATE ${OCTAVE_INCFLAGS})
target_compile_definitions(korva_mex PRIVATE MX_HAS_INTERLEAVED_COMPLEX=1
                                             KORVA_OCTAVE_HOST=1)
target_link_directories(korva_mex PRIVATE ${OCTAVE_LIBDIR})
target_link_libraries(korva_mex PRIVATE korva octinterp octave Threads::Threads)
set_target_properties(korva_mex PROPERTIES
  PREFIX "" SUFFIX ".mex"
  LIBRARY_OUTPUT_DIRECTORY ${KORVA_MEX_DIR}
  BUILD_RPATH "\$ORIGIN;\$ORIGIN/.."
  INSTALL_RPATH "\$ORIGIN;\$ORIGIN/..")
# libkorva.so beside the module, so addpath('build/mex') is all a user needs.
set_target_properties(korva PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${KORVA_MEX_DIR})
# `help korva_mex` reads the comments of korva_mex.m beside the module.
configure_file(host/korva_mex.m ${KORVA_MEX_DIR}/korva_mex.m COPYONLY)

find_program(OCTAVE_CLI octave-cli)
if(OCTAVE_CLI)
  add_subdirectory(tests/octave)
endif()
