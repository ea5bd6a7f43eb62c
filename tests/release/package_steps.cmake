# The steps the package tests share: run a command or fail with its output, check a text, and
# pack the build in BUILD_DIR with one CPack generator into a fresh WORK_DIR.
function(run)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN} exited with ${rc}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

function(expect text pattern what)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "${what}: no '${pattern}' in\n${text}")
  endif()
endfunction()

function(pack generator)
  file(REMOVE_RECURSE ${WORK_DIR})
  run(cpack --config ${BUILD_DIR}/CPackConfig.cmake -G ${generator} -B ${WORK_DIR})
endfunction()
