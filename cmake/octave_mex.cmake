# MEX modules for GNU Octave, and korva_mex.mex with libkorva.so beside it in
# build/mex.
#
# A module is linked by the host's own `mkoctfile --mex -R2018a`, not by
# CMake: that command adds the object that marks the module as written
# against the interleaved-complex interface. Without the marker Octave hands
# lazily stored values (ranges, diagonal and permutation matrices) in the
# other layout, and mxGetDoubles on them aborts the host. The sources are
# compiled here with the flags mkoctfile reports, so they keep our warnings.
find_program(MKOCTFILE mkoctfile)
if(NOT MKOCTFILE)
  message(STATUS "Octave not available: no MEX module built")
  return()
endif()

function(mkoctfile_variable name out)
  execute_process(COMMAND ${MKOCTFILE} -p ${name}
                  OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE)
  separate_arguments(value UNIX_COMMAND "${value}")
  set(${out} ${value} PARENT_SCOPE)
endfunction()
mkoctfile_variable(INCFLAGS OCTAVE_INCFLAGS)
mkoctfile_variable(CXXPICFLAG OCTAVE_PICFLAG)
mkoctfile_variable(OCTLIBDIR OCTAVE_LIBDIR)

# add_octave_mex(NAME OUTPUT_DIR SOURCES ... [LINK ...]): NAME.mex in
# OUTPUT_DIR; the target NAME builds it and NAME_objects compiles SOURCES.
# LINK holds linker arguments (libraries, -L folders, run paths), handed to
# mkoctfile, which runs its link line through a shell: a `$` in a run path is
# written `\\$`.
function(add_octave_mex name output_dir)
  cmake_parse_arguments(PARSE_ARGV 2 MEX "" "" "SOURCES;LINK;DEPENDS")
  set(objects ${name}_objects)
  set(module ${output_dir}/${name}.mex)
  add_library(${objects} OBJECT ${MEX_SOURCES})
  target_include_directories(${objects} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_options(${objects} PRIVATE ${OCTAVE_INCFLAGS} ${OCTAVE_PICFLAG})
  target_compile_definitions(${objects} PRIVATE MX_HAS_INTERLEAVED_COMPLEX=1
                                                KORVA_OCTAVE_HOST=1)
  add_custom_command(
    OUTPUT ${module}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${output_dir}
    COMMAND ${MKOCTFILE} --mex -R2018a -o ${module}
            $<TARGET_OBJECTS:${objects}> ${MEX_LINK}
            -L${OCTAVE_LIBDIR} -loctinterp -loctave -pthread
    DEPENDS ${objects} $<TARGET_OBJECTS:${objects}> ${MEX_DEPENDS}
    COMMAND_EXPAND_LISTS VERBATIM
    COMMENT "Linking ${name}.mex with mkoctfile --mex -R2018a")
  add_custom_target(${name} ALL DEPENDS ${module})
endfunction()

if(NOT TARGET korva)
  message(STATUS "libkorva not available: korva_mex.mex not built")
  return()
endif()
set(KORVA_MEX_DIR ${PROJECT_BINARY_DIR}/mex)
# The module finds libkorva beside itself or in its parent folder.
if(APPLE)
  set(KORVA_MEX_RPATH -Wl,-rpath,@loader_path -Wl,-rpath,@loader_path/..)
else()
  set(KORVA_MEX_RPATH "-Wl,-rpath,\\$ORIGIN:\\$ORIGIN/..")
endif()
add_octave_mex(korva_mex ${KORVA_MEX_DIR}
  SOURCES ${KORVA_MODULE_SOURCES} host/octave_glue.cpp
  LINK -L$<TARGET_FILE_DIR:korva> -lkorva ${KORVA_MEX_RPATH}
  DEPENDS korva)
# libkorva.so beside the module, so addpath('build/mex') is all a user needs.
set_target_properties(korva PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${KORVA_MEX_DIR})
# `help korva_mex` reads the comments of korva_mex.m beside the module.
configure_file(host/korva_mex.m ${KORVA_MEX_DIR}/korva_mex.m COPYONLY)

find_program(OCTAVE_CLI octave-cli)
if(OCTAVE_CLI)
  add_subdirectory(tests/octave)
endif()
