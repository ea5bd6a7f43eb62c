# Installs the shared library with its soname links, the public header, a pkg-config file and
# a CMake package config, so another program can find_package(Quorlink) or use pkg-config.
include(CMakePackageConfigHelpers)

set(QUORLINK_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quorlink)

install(TARGETS Quorlink EXPORT QuorlinkTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT quorlink
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT quorlink
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT quorlink
  PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT quorlink)

install(EXPORT QuorlinkTargets NAMESPACE Quorlink:: DESTINATION ${QUORLINK_CMAKE_DIR}
  COMPONENT quorlink)

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/QuorlinkConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/QuorlinkConfig.cmake
  INSTALL_DESTINATION ${QUORLINK_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/QuorlinkConfigVersion.cmake
  VERSION ${QUORLINK_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/QuorlinkConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/QuorlinkConfigVersion.cmake
        DESTINATION ${QUORLINK_CMAKE_DIR} COMPONENT quorlink)

# pkg-config wants paths relative to its prefix so the file still works under DESTDIR or a
# relocated prefix.
file(RELATIVE_PATH QUORLINK_PC_TO_PREFIX "/p/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/p")
configure_file(${CMAKE_CURRENT_LIST_DIR}/quorlink.pc.in ${CMAKE_CURRENT_BINARY_DIR}/quorlink.pc
  @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/quorlink.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT quorlink)
