# The glTF files the library writes, checked by real clients: the Khronos
# validator (0 errors, 0 warnings) on the default scene and on every shared
# BRep, STEP and IGES file, and headless Chromium on the default scene's page
# and the as1 assembly (coverage, no back faces on closed solids, the
# assembly's colours). The page's model tree (rows, hiding, search) on the as1
# assembly and on a nested assembly, and a page of hostile names that must show
# intact and run nothing. Pictures and files stay in build/web-checks/. Needs
# the demo, the Exchange library and web/'s npm packages (scripts/setup).
find_program(NODE_EXECUTABLE node REQUIRED)
find_program(BASH_EXECUTABLE bash REQUIRED)
set(_web ${PROJECT_SOURCE_DIR}/web)
set(_out ${PROJECT_BINARY_DIR}/web-checks)
set(_data ${KORRGEOM_SHARED_DATA_DIR})
file(MAKE_DIRECTORY ${_out})

add_test(NAME Web.SceneWritten COMMAND korrgeom -o scene.glb -o scene.html WORKING_DIRECTORY ${_out})
set_tests_properties(Web.SceneWritten PROPERTIES FIXTURES_SETUP web_scene)

add_test(NAME Web.SceneValidates COMMAND ${NODE_EXECUTABLE} ${_web}/validate-gltf.mjs ${_out}/scene.glb)
add_test(NAME Web.ScenePageRenders
  COMMAND ${NODE_EXECUTABLE} ${_web}/check-render.mjs --out ${_out}/pictures ${_out}/scene.html)
add_test(NAME Web.ChecksCatchFaultyFiles
  COMMAND ${_web}/check-faults.sh ${_out}/scene.glb ${_out}/faulty ${KORRGEOM_VIEWER_PAGE})
set_tests_properties(Web.SceneValidates Web.ScenePageRenders Web.ChecksCatchFaultyFiles PROPERTIES
  FIXTURES_REQUIRED web_scene)

add_test(NAME Web.SharedFilesValidate
  COMMAND ${_web}/check-shared-files.sh $<TARGET_FILE:korrgeom> ${_data} ${_out}/shared)
# The as1 assembly's colours are checked against the file's (blue plate,
# green brackets and nuts, red bolts and rod), not against the materials
# written, which would pass had they all turned grey.
add_test(NAME Web.As1Renders
  COMMAND ${BASH_EXECUTABLE} -c "[ -f \"$2\" ] || { echo \"skipped: no $2\"; exit 77; }
    $0 -i \"$2\" -o occt_trj6_as1-ug-214.glb &&
    $1 ${_web}/check-render.mjs --out pictures --template ${KORRGEOM_VIEWER_PAGE} \
      --colour '#0000ff' --colour '#00ff00' --colour '#ff0000' occt_trj6_as1-ug-214.glb"
    $<TARGET_FILE:korrgeom> ${NODE_EXECUTABLE} ${_data}/step/occt_trj6_as1-ug-214.stp
  WORKING_DIRECTORY ${_out})
add_test(NAME Web.As1PageTree
  COMMAND ${BASH_EXECUTABLE} -c "[ -f \"$2\" ] || { echo \"skipped: no $2\"; exit 77; }
    $0 -i \"$2\" -o occt_trj6_as1-ug-214.html && $1 ${_web}/check-page.mjs --out pages occt_trj6_as1-ug-214.html"
    $<TARGET_FILE:korrgeom> ${NODE_EXECUTABLE} ${_data}/step/occt_trj6_as1-ug-214.stp
  WORKING_DIRECTORY ${_out})
set_tests_properties(Web.SharedFilesValidate Web.As1Renders Web.As1PageTree PROPERTIES SKIP_RETURN_CODE 77)

# The hostile names go through the library's page and, as .gltf, through
# make-viewer-page.mjs.
add_test(NAME Web.TestPagesWritten
  COMMAND ${BASH_EXECUTABLE} -c "$0 hostile $1 hostile.html && $0 hostile $1 hostile-gltf.gltf &&
    $2 ${_web}/make-viewer-page.mjs hostile-gltf.gltf hostile-gltf.html --template ${KORRGEOM_VIEWER_PAGE} &&
    $0 assembly assembly.html"
    $<TARGET_FILE:korrgeom_test_pages> ${PROJECT_SOURCE_DIR}/tests/web/hostile-names.json ${NODE_EXECUTABLE}
  WORKING_DIRECTORY ${_out})
set_tests_properties(Web.TestPagesWritten PROPERTIES FIXTURES_SETUP web_test_pages)
add_test(NAME Web.AssemblyPageTree
  COMMAND ${NODE_EXECUTABLE} ${_web}/check-page.mjs --out ${_out}/pages ${_out}/assembly.html)
add_test(NAME Web.HostileNamesPage
  COMMAND ${NODE_EXECUTABLE} ${_web}/check-page.mjs --out ${_out}/pages
    --names ${PROJECT_SOURCE_DIR}/tests/web/hostile-names.json ${_out}/hostile.html ${_out}/hostile-gltf.html)
set_tests_properties(Web.AssemblyPageTree Web.HostileNamesPage PROPERTIES FIXTURES_REQUIRED web_test_pages)

set_tests_properties(Web.SceneWritten Web.SceneValidates Web.ScenePageRenders Web.ChecksCatchFaultyFiles
  Web.SharedFilesValidate Web.As1Renders Web.As1PageTree Web.TestPagesWritten Web.AssemblyPageTree
  Web.HostileNamesPage PROPERTIES TIMEOUT 300)
