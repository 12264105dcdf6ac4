# korva_mex for MATLAB, when MATLAB is found: matlab_add_mex builds it with
# MATLAB's headers and libraries and the interleaved-complex interface, into
# build/mex beside the Octave module and libkorva (the file names differ by
# extension). The Ctrl+C and flush services come from MATLAB's libut and
# libmwservices.
find_package(Matlab QUIET COMPONENTS MX_LIBRARY)
if(NOT Matlab_FOUND OR NOT TARGET korva)
  message(STATUS "MATLAB not found: no MATLAB module built")
  return()
endif()
get_filename_component(MATLAB_LIBRARY_DIR ${Matlab_MEX_LIBRARY} DIRECTORY)
find_library(MATLAB_UT_LIBRARY ut HINTS ${MATLAB_LIBRARY_DIR} REQUIRED)
find_library(MATLAB_SERVICES_LIBRARY mwservices HINTS ${MATLAB_LIBRARY_DIR}
             REQUIRED)
matlab_add_mex(NAME korva_mex_matlab OUTPUT_NAME korva_mex R2018a
  SRC ${KORVA_MODULE_SOURCES}
  LINK_TO korva ${MATLAB_UT_LIBRARY} ${MATLAB_SERVICES_LIBRARY})
target_include_directories(korva_mex_matlab PRIVATE ${PROJECT_SOURCE_DIR})
if(APPLE)
  set(MATLAB_MEX_RPATH @loader_path)
else()
  set(MATLAB_MEX_RPATH $ORIGIN)
endif()
set_target_properties(korva_mex_matlab PROPERTIES
  LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/mex
  BUILD_RPATH ${MATLAB_MEX_RPATH})
# As for Octave: libkorva and the help text beside the module.
set_target_properties(korva PROPERTIES
  LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/mex)
configure_file(host/korva_mex.m ${PROJECT_BINARY_DIR}/mex/korva_mex.m COPYONLY)
