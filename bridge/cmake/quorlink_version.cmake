# SPDX-License-Identifier: MIT
# quorlink_version_parts(version): sets QUORLINK_VERSION_MAJOR, _MINOR and _PATCH of a
# major.minor.patch version in the caller's scope. The build reads QUORLINK_VERSION with it, and
# the test of the built library (tests/bridge/library_version.cmake) the number it checks.
macro(quorlink_version_parts version)
  if(NOT "${version}" MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
    message(FATAL_ERROR "Quorlink's version '${version}' is not major.minor.patch")
  endif()
  set(QUORLINK_VERSION_MAJOR ${CMAKE_MATCH_1})
  set(QUORLINK_VERSION_MINOR ${CMAKE_MATCH_2})
  set(QUORLINK_VERSION_PATCH ${CMAKE_MATCH_3})
endmacro()
