# Runs korrgeom in WORK_DIR for one CASE and checks its exit status, its
# messages and the files it leaves.
#   cmake -DKORRGEOM=... -DCASE=... -DWORK_DIR=... -P check.cmake
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# korrgeom(EXPECT_STATUS ARG...): runs it; its output lands in `out` and `err`.
function(korrgeom expected)
  execute_process(COMMAND ${KORRGEOM} ${ARGN} WORKING_DIRECTORY ${WORK_DIR}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL expected)
    message(FATAL_ERROR "korrgeom ${ARGN}: status ${status}, not ${expected}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

# Nothing is written that was not asked for, and nothing asked for is empty.
function(expect_files)
  file(GLOB found RELATIVE ${WORK_DIR} ${WORK_DIR}/*)
  list(SORT found)
  set(expected ${ARGN})
  list(SORT expected)
  if(NOT found STREQUAL expected)
    message(FATAL_ERROR "files in ${WORK_DIR}: '${found}', not '${expected}'")
  endif()
  foreach(name ${found})
    file(SIZE ${WORK_DIR}/${name} size)
    if(size EQUAL 0)
      message(FATAL_ERROR "${name} is empty")
    endif()
  endforeach()
endfunction()

if(CASE STREQUAL "WritesWhatIsAsked")
  korrgeom(0)
  expect_files(korrgeom.glb)
  file(REMOVE ${WORK_DIR}/korrgeom.glb)
  set(all scene.glb scene.gltf scene.html scene.brep scene.step scene.iges)
  list(TRANSFORM all PREPEND "-o;" OUTPUT_VARIABLE options)
  korrgeom(0 ${options})
  expect_files(${all})
  # What was saved reads in again as input.
  foreach(format brep step iges)
    korrgeom(0 -i scene.${format} -o again.glb)
  endforeach()
  expect_files(${all} again.glb)

elseif(CASE STREQUAL "BadInputGivesOneLine")
  file(WRITE ${WORK_DIR}/damaged.brep "DBRep_DrawableShape\nCASCADE Topology V1\nLocations 3\n1\n")
  file(WRITE ${WORK_DIR}/damaged.step "ISO-10303-21;\nHEADER;\nFILE_NAME('x',\n")
  foreach(arguments "-i;damaged.brep" "-i;damaged.step" "-i;missing.iges" "-i;damaged.brep;-o;out.step"
                    "-o;scene.txt" "-o;scene.glb;-o;missing-folder/scene.step")
    korrgeom(1 ${arguments})
    if(NOT err MATCHES "^korrgeom: [^\n]+\n$")
      message(FATAL_ERROR "korrgeom ${arguments}: not one line on standard error:\n${err}")
    endif()
    expect_files(damaged.brep damaged.step)
  endforeach()
  # The line is the library's outcome: its sentence, then what the system said.
  korrgeom(1 -i missing.iges)
  if(NOT err MATCHES "^korrgeom: [^\n]*missing\\.iges[^\n]* \\(No such file or directory\\)\n$")
    message(FATAL_ERROR "korrgeom -i missing.iges: not the outcome's line:\n${err}")
  endif()

elseif(CASE STREQUAL "PerFaceAgrees")
  korrgeom(0 --per-face -o scene.glb)
  string(REGEX MATCHALL "per face   [a-z]+: the same faces" agreeing "${out}")
  list(LENGTH agreeing count)
  if(NOT count EQUAL 5)
    message(FATAL_ERROR "not every shape of the scene agrees:\n${out}")
  endif()
  expect_files(scene.glb)

else()
  message(FATAL_ERROR "no case ${CASE}")
endif()
