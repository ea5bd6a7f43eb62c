# SPDX-License-Identifier: MIT
# The Debian packages, split as Debian splits a library and the programs on it: cpack makes
# one .deb per install component (the COMPONENT of each install rule).
#   component    package            holds
#   library      libquorlink3       the shared library (3: its soname's major number)
#   development  libquorlink-dev    the header, the .so link, the pkg-config file, the CMake
#                                   package
#   torvix       torvix             torvix and zembrel-sim, the udev rule and the i2c group,
#                                   their man pages, the guides, the shell completion
#   controller   torvix-controller  the window, its desktop entry, icon, man page and guide
#
# All four carry the product's version, as Debian gives every package built from one source
# its source's version. The library's own version (QUORLINK_VERSION, its interface's) shows
# in its package's name, its soname, its .pc and CMake package. Versioned 3.0.1 itself, the
# library package would keep that number through product releases that rebuild it: dpkg
# would not upgrade it, and the exact Depends of the others could not tell two builds apart.
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
# The install runs with the prefix /usr itself, not the staging folder: the programs drop
# their run path and the .pc names /usr (cmake/install_program.cmake, bridge/cmake/).
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE torvix)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://torvix.invalid/")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

get_target_property(soversion Quorlink SOVERSION)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME libquorlink${soversion})
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libquorlink-dev)
set(CPACK_DEBIAN_TORVIX_PACKAGE_NAME torvix)
set(CPACK_DEBIAN_CONTROLLER_PACKAGE_NAME torvix-controller)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(packaged library development torvix)
if(TARGET Torvix_Controller)
  list(APPEND packaged controller)
endif()

set(quorlink_text "Quorlink opens a USB-to-I2C adapter board and writes to and reads from the
devices on its I2C bus, with a result code and a text for every failure. It
reaches the board's driver, zembrel-sim's virtual board on a local socket, a
virtual camera of its own, or a Linux i2c-dev bus of any adapter the kernel
drives (QUORLINK_DEVICE).")
set(CPACK_DEBIAN_LIBRARY_DESCRIPTION "I2C bridge library for USB-to-I2C adapter boards
${quorlink_text}

This package holds the shared library.")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
"I2C bridge library for USB-to-I2C adapter boards (development files)
${quorlink_text}

This package holds what a C or C++ program is built with: the header, the
pkg-config file (quorlink) and the CMake package (find_package(Quorlink 3)).")
set(CPACK_DEBIAN_TORVIX_DESCRIPTION "command-line tool for an analog camera's DSP settings over I2C
torvix reads and writes the DSP settings of an analog (PAL/NTSC) video camera
reached over I2C through a USB-to-I2C adapter board, from a shell or a script:
the settings with their meanings, single settings, dumps of the DSP registers
and the EEPROM, profiles, the camera address search and a reset.

zembrel-sim is a virtual adapter board and camera on a local socket, to try
torvix and Torvix Controller without hardware.

A udev rule gives the Linux i2c-dev buses to the i2c group, which installing
the package creates.")
set(CPACK_DEBIAN_CONTROLLER_DESCRIPTION "window to adjust an analog video camera's DSP settings over I2C
Torvix Controller shows every DSP setting of an analog (PAL/NTSC) video camera
reached over I2C through a USB-to-I2C adapter board on one dialog: each change
is one register write, and every failure is told in words. Its menu saves and
applies profiles and dumps the DSP registers and the EEPROM.")

# Depends: what each program and the library need, as dpkg-shlibdeps finds it, and the
# library's package at exactly this version. The programs carry no run path, so
# dpkg-shlibdeps finds the library in the build; it belongs to no installed package, and the
# Depends on it is the exact one below. The library package tells other programs' builds
# what to depend on in its shlibs file.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
get_target_property(library_dir Quorlink BINARY_DIR)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${library_dir})
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
foreach(component development torvix controller)
  string(TOUPPER ${component} upper)
  set(CPACK_COMPONENT_${upper}_DEPENDS library)
endforeach()
# The window reaches a real camera through the udev rule and group torvix brings.
set(CPACK_DEBIAN_CONTROLLER_PACKAGE_RECOMMENDS torvix)

# Maintainer scripts. dpkg's ldconfig trigger makes the library known. cpack adds a postinst
# and a postrm that call ldconfig to a package with a library in /usr/lib unless it names its
# own, so the library's control files name two that do not exist: cpack warns that they are
# missing and leaves them out. torvix's postinst creates the i2c group and has udev apply the
# rule.
set(control ${CMAKE_CURRENT_LIST_DIR}/debian)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA ${control}/triggers
    ${control}/no-ldconfig-script/postinst ${control}/no-ldconfig-script/postrm)
set(CPACK_DEBIAN_TORVIX_PACKAGE_CONTROL_EXTRA ${control}/postinst)

# The licence as Debian reads it (copyright-format 1.0), made from LICENSE.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
if(NOT licence MATCHES "\nCopyright \\(c\\) ([^\n]+)\n\n(.*)$")
  message(FATAL_ERROR "LICENSE has no 'Copyright (c) ...' line before its text")
endif()
set(TORVIX_COPYRIGHT "${CMAKE_MATCH_1}")
string(STRIP "${CMAKE_MATCH_2}" TORVIX_LICENCE_TEXT)
string(REPLACE "\n\n" "\n.\n" TORVIX_LICENCE_TEXT "${TORVIX_LICENCE_TEXT}")
string(REPLACE "\n" "\n " TORVIX_LICENCE_TEXT " ${TORVIX_LICENCE_TEXT}")
set(debian_dir ${PROJECT_BINARY_DIR}/debian)
configure_file(${control}/copyright.in ${debian_dir}/copyright @ONLY)

# The changelog of every package, made from CHANGELOG.md and compressed as Debian's are.
set(changelog ${debian_dir}/changelog)
add_custom_command(OUTPUT ${changelog}.gz
  COMMAND ${CMAKE_COMMAND} -DCHANGELOG=${PROJECT_SOURCE_DIR}/CHANGELOG.md
          -DSOURCE=${CPACK_DEBIAN_PACKAGE_SOURCE} -DVERSION=${PROJECT_VERSION}
          -DMAINTAINER=${CPACK_PACKAGE_CONTACT} -DOUTPUT=${changelog}
          -P ${control}/changelog.cmake
  COMMAND gzip -9nf ${changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${control}/changelog.cmake VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS ${changelog}.gz)

foreach(component IN LISTS packaged)
  string(TOUPPER ${component} upper)
  install(FILES ${debian_dir}/copyright ${changelog}.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_DEBIAN_${upper}_PACKAGE_NAME}
          COMPONENT ${component})
endforeach()
