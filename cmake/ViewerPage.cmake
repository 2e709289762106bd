# The viewer page template: web/src and three.js (its glTF loader and orbit
# controls with it) bundled by Node.js into one page, then embedded in a C++
# source that defines std::string_view KorrCore::Gltf::ViewerTemplate(). Needs the
# npm packages of web/ (scripts/setup installs them). Sets
#   KORRGEOM_VIEWER_PAGE         the page, placeholders unfilled (the render checks fill it too)
#   KORRGEOM_VIEWER_PAGE_SOURCE  the C++ source to compile into the library that writes pages
find_program(NODE_EXECUTABLE node REQUIRED)
set(_web "${PROJECT_SOURCE_DIR}/web")
if(NOT EXISTS "${_web}/node_modules/three/package.json")
  message(FATAL_ERROR "web/node_modules is missing: run scripts/setup")
endif()
file(GLOB _viewer_sources CONFIGURE_DEPENDS "${_web}/src/*")
set(KORRGEOM_VIEWER_PAGE "${PROJECT_BINARY_DIR}/viewer/viewer.html" CACHE INTERNAL "the viewer page template")
set(KORRGEOM_VIEWER_PAGE_SOURCE "${PROJECT_BINARY_DIR}/viewer/ViewerTemplate.cpp")

add_custom_command(
  OUTPUT "${KORRGEOM_VIEWER_PAGE}"
  COMMAND "${NODE_EXECUTABLE}" "${_web}/build-viewer.mjs" "${PROJECT_BINARY_DIR}/viewer"
  DEPENDS ${_viewer_sources} "${_web}/build-viewer.mjs" "${_web}/package-lock.json"
  COMMENT "Bundling the viewer page"
  VERBATIM)
add_custom_command(
  OUTPUT "${KORRGEOM_VIEWER_PAGE_SOURCE}"
  COMMAND "${CMAKE_COMMAND}" -DINPUT=${KORRGEOM_VIEWER_PAGE} -DOUTPUT=${KORRGEOM_VIEWER_PAGE_SOURCE}
          -DNAMESPACE=KorrCore::Gltf -DSYMBOL=ViewerTemplate -P "${CMAKE_CURRENT_LIST_DIR}/EmbedFile.cmake"
  DEPENDS "${KORRGEOM_VIEWER_PAGE}" "${CMAKE_CURRENT_LIST_DIR}/EmbedFile.cmake"
  COMMENT "Embedding the viewer page"
  VERBATIM)
