# The glTF files the library writes, checked by real clients: the Khronos
# validator (0 errors, 0 warnings) on the default scene and on every shared
# BRep, STEP and IGES file, and headless Chromium on the default scene's page
# and the as1 assembly (coverage, no back faces on closed solids, the
# assembly's colours). Pictures and files stay in build/web-checks/. Needs the
# demo, the Exchange library and web/'s npm packages (scripts/setup).
find_program(NODE_EXECUTABLE node REQUIRED)
find_program(BASH_EXECUTABLE bash REQUIRED)
set(_web ${PROJECT_SOURCE_DIR}/web)
set(_out ${PROJECT_BINARY_DIR}/web-checks)
set(_data ${PROJECT_SOURCE_DIR}/../shared/data)
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
set_tests_properties(Web.SharedFilesValidate Web.As1Renders PROPERTIES SKIP_RETURN_CODE 77)
set_tests_properties(Web.SceneWritten Web.SceneValidates Web.ScenePageRenders Web.ChecksCatchFaultyFiles
  Web.SharedFilesValidate Web.As1Renders PROPERTIES TIMEOUT 300)
