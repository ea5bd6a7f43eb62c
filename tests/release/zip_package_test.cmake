# cmake -DBUILD_DIR=... -DWORK_DIR=... -DVERSION=x.y.z -DPROGRAMS="a.exe;b.exe"
#       -P zip_package_test.cmake
# Packs the Windows zip from the x86-64 build (and the i686 build it names), lists it, and
# checks that each architecture's folder holds the programs, Quorlink.dll of that architecture,
# the import library and the header, and that the guide is there once.
cmake_minimum_required(VERSION 3.25)

function(run)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN} exited with ${rc}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
run(cpack --config ${BUILD_DIR}/CPackConfig.cmake -G ZIP -B ${WORK_DIR})
set(top torvix-${VERSION}-windows)
set(zip ${WORK_DIR}/${top}.zip)
run(${CMAKE_COMMAND} -E tar tf ${zip})
message(STATUS "${zip}:\n${out}")
string(REPLACE "\n" ";" listed "${out}")

set(expected ${top}/doc/user-guide.md)
foreach(arch x64 x86)
  foreach(file IN LISTS PROGRAMS ITEMS Quorlink.dll)
    list(APPEND expected ${top}/${arch}/bin/${file})
  endforeach()
  list(APPEND expected ${top}/${arch}/lib/Quorlink.lib ${top}/${arch}/include/quorlink.h)
endforeach()
foreach(file IN LISTS expected)
  if(NOT file IN_LIST listed)
    message(FATAL_ERROR "the zip lacks ${file}")
  endif()
endforeach()

# Each folder's library is built for its architecture.
file(MAKE_DIRECTORY ${WORK_DIR}/unpacked)
run(${CMAKE_COMMAND} -E chdir ${WORK_DIR}/unpacked ${CMAKE_COMMAND} -E tar xf ${zip})
foreach(pair "x64;PE32\\+ executable.*x86-64" "x86;PE32 executable.*Intel 80386")
  list(GET pair 0 arch)
  list(GET pair 1 kind)
  run(file -b ${WORK_DIR}/unpacked/${top}/${arch}/bin/Quorlink.dll)
  if(NOT out MATCHES "${kind}")
    message(FATAL_ERROR "${arch}/bin/Quorlink.dll is not ${kind}: ${out}")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK_DIR})
