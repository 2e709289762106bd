# Installs the built library into a scratch prefix, then builds and runs the
# consumer against that prefix alone: as a CMake project (find_package), or
# with BUILD=pkg-config by one compiler command whose flags come from
# pkg-config. Either way with -Wall -Wextra -Werror, so a warning from the
# kernel's headers fails it.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed (${status}): ${ARGN}\n${out}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${KORRGEOM_BINARY_DIR} --prefix ${prefix})
if(BUILD STREQUAL "pkg-config")
  set(packages korrgeomcore)
  set(defines)
  if(WITH_EXCHANGE)
    set(packages korrgeomcore-exchange)
    set(defines -DWITH_EXCHANGE)
  endif()
  file(GLOB_RECURSE pcfiles ${prefix}/*.pc)
  list(GET pcfiles 0 pcfile)
  get_filename_component(pcdir ${pcfile} DIRECTORY)
  run(${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${pcdir} pkg-config --modversion ${packages})
  string(STRIP "${output}" version)
  run(${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${pcdir} pkg-config --cflags --libs ${packages})
  separate_arguments(flags UNIX_COMMAND "${output}")
  run(${CXX} -std=c++17 -Wall -Wextra -Werror ${defines} "-DPACKAGE_VERSION=\"${version}\""
      ${CONSUMER_SOURCE_DIR}/main.cpp ${flags}
      -o ${WORK_DIR}/consumer)
  set(consumer ${WORK_DIR}/consumer)
else()
  run(${CMAKE_COMMAND} -S ${CONSUMER_SOURCE_DIR} -B ${WORK_DIR}/build
      -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release -DWITH_EXCHANGE=${WITH_EXCHANGE})
  run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
  set(consumer ${WORK_DIR}/build/consumer)
endif()
run(${CMAKE_COMMAND} -E env LD_LIBRARY_PATH=${prefix}/${LIBDIR} ${consumer} ${WORK_DIR}/box.stp)
