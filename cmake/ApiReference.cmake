# The API reference of the public headers (docs/Doxyfile.in), built by a test
# with every doxygen warning an error, so that a public name added without a
# comment fails the suite. `cmake --build build --target api-reference` builds
# it by hand, into build/api-reference/html.
find_program(KORRGEOM_DOXYGEN doxygen)
set(KORRGEOM_API_REFERENCE_DIR ${PROJECT_BINARY_DIR}/api-reference)
set(KORRGEOM_DOC_FILTER ${PROJECT_SOURCE_DIR}/docs/doc_comments.py)
configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${PROJECT_BINARY_DIR}/Doxyfile @ONLY)

if(KORRGEOM_DOXYGEN)
  add_custom_target(api-reference COMMAND ${KORRGEOM_DOXYGEN} ${PROJECT_BINARY_DIR}/Doxyfile
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR} VERBATIM)
  add_test(NAME ApiReference.EveryPublicNameDocumented
    COMMAND ${KORRGEOM_DOXYGEN} ${PROJECT_BINARY_DIR}/Doxyfile WORKING_DIRECTORY ${PROJECT_BINARY_DIR})
else()
  add_test(NAME ApiReference.EveryPublicNameDocumented
    COMMAND sh -c "echo 'doxygen not found: run scripts/setup'; exit 1")
endif()
