# SPDX-License-Identifier: MIT
# Installs the shared library with its soname links, the public header, a pkg-config file and
# a CMake package config, so another program can find_package(Quorlink) or use pkg-config.
# Two components, as Debian splits a library: `library` what a program needs to run (the
# shared library, Quorlink.dll), `development` what a program needs to be built against it
# (the header, the .so link, the import library, the pkg-config file and the CMake package).
include(CMakePackageConfigHelpers)

set(QUORLINK_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quorlink)

install(TARGETS Quorlink EXPORT QuorlinkTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library NAMELINK_COMPONENT development
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT library
  PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)

install(EXPORT QuorlinkTargets NAMESPACE Quorlink:: DESTINATION ${QUORLINK_CMAKE_DIR}
  COMPONENT development)

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/QuorlinkConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/QuorlinkConfig.cmake
  INSTALL_DESTINATION ${QUORLINK_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/QuorlinkConfigVersion.cmake
  VERSION ${QUORLINK_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/QuorlinkConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/QuorlinkConfigVersion.cmake
        DESTINATION ${QUORLINK_CMAKE_DIR} COMPONENT development)

# The pkg-config file: plain -I and -L paths under the prefix it names. The installed one is
# written when the install runs, so it names the prefix the install puts it under (/usr in the
# Debian package, whatever --prefix cmake --install is given); the build's own (read by the
# version test) names the configured prefix. A Windows zip or installer may be put anywhere,
# so there the prefix is found from the file's own place.
set(pc_in ${CMAKE_CURRENT_LIST_DIR}/quorlink.pc.in)
set(build_pc ${CMAKE_CURRENT_BINARY_DIR}/quorlink.pc)
set(pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
if(WIN32)
  file(RELATIVE_PATH to_prefix "/p/${pc_dir}" "/p")
  set(QUORLINK_PC_PREFIX "\${pcfiledir}/${to_prefix}")
  configure_file(${pc_in} ${build_pc} @ONLY)
  install(FILES ${build_pc} DESTINATION ${pc_dir} COMPONENT development)
else()
  set(QUORLINK_PC_PREFIX ${CMAKE_INSTALL_PREFIX})
  configure_file(${pc_in} ${build_pc} @ONLY)
  set(QUORLINK_PC_PREFIX "@QUORLINK_PC_PREFIX@")
  configure_file(${pc_in} ${build_pc}.in @ONLY)
  set(installed_pc ${CMAKE_CURRENT_BINARY_DIR}/installed/quorlink.pc)
  install(CODE "set(QUORLINK_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
                configure_file(\"${build_pc}.in\" \"${installed_pc}\" @ONLY)"
          COMPONENT development)
  install(FILES ${installed_pc} DESTINATION ${pc_dir} COMPONENT development)
endif()
