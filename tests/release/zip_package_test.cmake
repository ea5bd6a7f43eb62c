# SPDX-License-Identifier: MIT
# cmake -DBUILD_DIR=... -DWORK_DIR=... -DVERSION=x.y.z -DPROGRAMS="a.exe;b.exe"
#       -P zip_package_test.cmake
# Packs the Windows zip from the x86-64 build (and the i686 build it names), lists it, and
# checks that each architecture's folder holds the programs, Quorlink.dll of that architecture,
# the import library and the header, and that the guides are there once.
cmake_minimum_required(VERSION 3.25)  # IN_LIST
include(${CMAKE_CURRENT_LIST_DIR}/package_steps.cmake)
pack(ZIP)
set(top torvix-${VERSION}-windows)
set(zip ${WORK_DIR}/${top}.zip)
run(${CMAKE_COMMAND} -E tar tf ${zip})
message(STATUS "${zip}:\n${out}")
string(REPLACE "\n" ";" listed "${out}")

set(expected ${top}/doc/user-guide.md ${top}/doc/windows.md)
foreach(arch x64 x86)
  foreach(file IN LISTS PROGRAMS ITEMS Quorlink.dll)
    list(APPEND expected ${top}/${arch}/bin/${file})
  endforeach()
  list(APPEND expected ${top}/${arch}/lib/Quorlink.lib ${top}/${arch}/include/quorlink.h)
endforeach()
expect_listed("${listed}" ${zip} ${expected})

# Each folder's library is built for its architecture.
file(MAKE_DIRECTORY ${WORK_DIR}/unpacked)
run(${CMAKE_COMMAND} -E chdir ${WORK_DIR}/unpacked ${CMAKE_COMMAND} -E tar xf ${zip})
foreach(arch x64 x86)
  expect_architecture(${WORK_DIR}/unpacked/${top}/${arch}/bin/Quorlink.dll ${arch})
endforeach()
file(REMOVE_RECURSE ${WORK_DIR})
