# SPDX-License-Identifier: MIT
# Read by cpack once per generator (CPACK_PROJECT_CONFIG_FILE of packaging_windows.cmake): what
# goes into each Windows package. An installer is one architecture's tree at the top of its
# install folder; the two name their Start-menu folders and uninstall entries apart, so both
# can stand on one 64-bit Windows.

# Appends to out the lines of CPACK_INSTALL_CMAKE_PROJECTS that install the components named
# after folder from build_dir into that folder.
function(torvix_install_lines out build_dir folder)
  set(lines ${${out}})
  foreach(component IN LISTS ARGN)
    list(APPEND lines "${build_dir};${CPACK_TORVIX_PROJECT};${component};${folder}")
  endforeach()
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

set(CPACK_INSTALL_CMAKE_PROJECTS "")
# The programs; the library; the import library and header.
set(programs torvix controller library development)
if(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-windows)
  # The docs once, from the x86-64 build.
  torvix_install_lines(CPACK_INSTALL_CMAKE_PROJECTS ${CPACK_TORVIX_X64_BUILD_DIR} /x64 ${programs})
  torvix_install_lines(CPACK_INSTALL_CMAKE_PROJECTS ${CPACK_TORVIX_X86_BUILD_DIR} /x86 ${programs})
  torvix_install_lines(CPACK_INSTALL_CMAKE_PROJECTS ${CPACK_TORVIX_X64_BUILD_DIR} / docs)
elseif(CPACK_GENERATOR MATCHES "^NSIS")
  if(CPACK_GENERATOR STREQUAL "NSIS64")
    set(arch x64)
    set(bits 64)
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    set(tree ${CPACK_TORVIX_X64_BUILD_DIR})
  else()
    set(arch x86)
    set(bits 32)
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES")
    set(tree ${CPACK_TORVIX_X86_BUILD_DIR})
  endif()
  torvix_install_lines(CPACK_INSTALL_CMAKE_PROJECTS ${tree} / ${programs} docs)
  set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-windows-${arch})
  set(CPACK_NSIS_PACKAGE_NAME "Torvix Controller ${CPACK_PACKAGE_VERSION} (${bits}-bit)")
  set(CPACK_NSIS_DISPLAY_NAME "${CPACK_NSIS_PACKAGE_NAME}")
  set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Torvix Controller ${bits}-bit")
endif()
