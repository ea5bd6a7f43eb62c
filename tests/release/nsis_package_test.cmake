# SPDX-License-Identifier: MIT
# cmake -DBUILD_DIR=... -DWORK_DIR=... -DVERSION=x.y.z -DPROGRAMS="a.exe;b.exe"
#       -P nsis_package_test.cmake
# Packs the two NSIS installers from the x86-64 build (the x86 one from the i686 build it
# names), lists each with 7z and checks that it holds the programs, Quorlink.dll of its
# architecture, the import library, the header, the guides and the uninstaller. Leaves them in
# WORK_DIR for the install under wine (nsis_install_test.sh).
cmake_minimum_required(VERSION 3.25)  # IN_LIST
include(${CMAKE_CURRENT_LIST_DIR}/package_steps.cmake)
pack(NSIS64 NSIS)
set(expected Uninstall.exe doc/user-guide.md doc/windows.md lib/Quorlink.lib include/quorlink.h)
foreach(file IN LISTS PROGRAMS ITEMS Quorlink.dll)
  list(APPEND expected bin/${file})
endforeach()
foreach(arch x64 x86)
  set(installer ${WORK_DIR}/torvix-${VERSION}-windows-${arch}.exe)
  run(7z l -slt ${installer})
  string(REGEX MATCHALL "\nPath = [^\n]*" listed "${out}")
  string(REPLACE "\nPath = " "" listed "${listed}")
  message(STATUS "${installer}:\n${listed}")
  expect_listed("${listed}" ${installer} ${expected})
  run(7z e -y -o${WORK_DIR}/${arch} ${installer} bin/Quorlink.dll)
  expect_architecture(${WORK_DIR}/${arch}/Quorlink.dll ${arch})
endforeach()
