# SPDX-License-Identifier: MIT
# The steps the package tests share: run a command or fail with its output, check a text or a
# listing, check a Windows file's architecture, and pack the build in BUILD_DIR with CPack
# generators into a fresh WORK_DIR.
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

# Fails unless each of ARGN is an entry of the list listed, the contents of what.
function(expect_listed listed what)
  foreach(entry IN LISTS ARGN)
    if(NOT entry IN_LIST listed)
      message(FATAL_ERROR "${what} lacks ${entry}")
    endif()
  endforeach()
endfunction()

# Fails unless file is a Windows program or DLL built for arch, x64 or x86.
function(expect_architecture file arch)
  set(kind_x64 "PE32\\+ executable.*x86-64")
  set(kind_x86 "PE32 executable.*Intel 80386")
  run(file -b ${file})
  expect("${out}" "${kind_${arch}}" "${file}")
endfunction()

function(pack)
  file(REMOVE_RECURSE ${WORK_DIR})
  foreach(generator IN LISTS ARGN)
    run(cpack --config ${BUILD_DIR}/CPackConfig.cmake -G ${generator} -B ${WORK_DIR})
  endforeach()
endfunction()
