# SPDX-License-Identifier: MIT
# The Windows packages. cpack in the x86-64 build makes three: torvix-<version>-windows.zip with
# both architectures, each in a folder of its own laid out as `cmake --install` lays it (bin/
# the programs and Quorlink.dll, lib/ the import library, include/ the header) and the docs once
# at the top; and an NSIS installer per architecture, torvix-<version>-windows-x64.exe and
# -x86.exe, each with one install tree. The x86 pieces come from the i686 build, which must be
# built first (the presets windows-i686, then windows); cpack in the i686 build alone makes the
# x86 installer. Which tree goes into which package is settled per generator when cpack runs
# (windows_package_contents.cmake).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TORVIX_I686_BUILD_DIR ${PROJECT_SOURCE_DIR}/build/windows-i686 CACHE PATH
      "The i686 build whose install tree goes into the zip's x86 folder and the x86 installer")
  set(CPACK_GENERATOR ZIP NSIS64 NSIS)
  set(CPACK_TORVIX_X64_BUILD_DIR ${PROJECT_BINARY_DIR})
  set(CPACK_TORVIX_X86_BUILD_DIR ${TORVIX_I686_BUILD_DIR})
else()
  set(CPACK_GENERATOR NSIS)
  set(CPACK_TORVIX_X86_BUILD_DIR ${PROJECT_BINARY_DIR})
endif()
set(CPACK_TORVIX_PROJECT ${PROJECT_NAME})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/windows_package_contents.cmake)

# The installers install every piece (no component pages) into Program Files\Torvix Controller,
# put the window in the Start menu beside the uninstaller, leave PATH alone, and offer to remove
# an installed copy of the same architecture first.
set(CPACK_MONOLITHIC_INSTALL ON)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Torvix Controller")
set(CPACK_PACKAGE_EXECUTABLES Torvix_Controller "Torvix Controller")
set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\Torvix_Controller.exe")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MUI_ICON ${PROJECT_BINARY_DIR}/app/win32/icon_128.ico)
set(CPACK_NSIS_MUI_UNIICON ${CPACK_NSIS_MUI_ICON})
if(EXISTS ${PROJECT_SOURCE_DIR}/LICENSE)
  set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
else()
  set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)  # rather than CMake's placeholder text
endif()
