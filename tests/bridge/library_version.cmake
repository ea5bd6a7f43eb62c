# SPDX-License-Identifier: MIT
# cmake -DVERSION=3.0.1 -DPROBE=version_probe [-DEMULATOR=wine64] -DLIBRARY=file -DPC=quorlink.pc
#       [-DOBJDUMP=objdump] -P library_version.cmake
# Fails unless the built library shows the one version the build gives it (QUORLINK_VERSION):
# GetVersions through the shared library (the probe), the soname's major number (an ELF
# library, read with objdump), Quorlink.dll's version resource (its fixed file version and its
# "FileVersion" text) and the pkg-config file's Version.
include(${CMAKE_CURRENT_LIST_DIR}/../../bridge/cmake/quorlink_version.cmake)
quorlink_version_parts(${VERSION})
set(major ${QUORLINK_VERSION_MAJOR})
set(minor ${QUORLINK_VERSION_MINOR})
set(patch ${QUORLINK_VERSION_PATCH})
set(faults "")

execute_process(COMMAND ${EMULATOR} ${PROBE} OUTPUT_VARIABLE reported ERROR_VARIABLE err
                RESULT_VARIABLE rc)
string(STRIP "${reported}" reported)
if(NOT rc EQUAL 0 OR NOT reported STREQUAL VERSION)
  string(APPEND faults "GetVersions reports '${reported}' (exit ${rc}: ${err})\n")
endif()

if(LIBRARY MATCHES "\\.dll$")
  # Little-endian 16-bit halves of the fixed part: signature, structure version 1.0, then the
  # file version's major, minor, patch and 0; the text is UTF-16.
  function(hex16 value out)
    math(EXPR low "${value} & 255" OUTPUT_FORMAT HEXADECIMAL)
    math(EXPR high "${value} >> 8" OUTPUT_FORMAT HEXADECIMAL)
    string(REGEX REPLACE "^0x(.)$" "0x0\\1" low ${low})
    string(REGEX REPLACE "^0x(.)$" "0x0\\1" high ${high})
    string(REPLACE "0x" "" hex "${low}${high}")
    set(${out} ${hex} PARENT_SCOPE)
  endfunction()
  foreach(part major minor patch)
    hex16(${${part}} ${part}_hex)
  endforeach()
  set(fixed "bd04effe00000100${minor_hex}${major_hex}0000${patch_hex}")
  string(HEX "${VERSION}" text_hex)
  string(REGEX REPLACE "(..)" "\\100" text_hex "${text_hex}")
  file(READ "${LIBRARY}" dll HEX)
  string(FIND "${dll}" "${fixed}" at_fixed)
  string(FIND "${dll}" "${text_hex}" at_text)
  if(at_fixed EQUAL -1 OR at_text EQUAL -1)
    string(APPEND faults "${LIBRARY}: no version resource of ${VERSION}\n")
  endif()
else()
  execute_process(COMMAND ${OBJDUMP} -p "${LIBRARY}" OUTPUT_VARIABLE headers RESULT_VARIABLE rc)
  string(REGEX MATCH "SONAME +([^\n]*)" soname "${headers}")
  if(NOT CMAKE_MATCH_1 STREQUAL "libquorlink.so.${major}")
    string(APPEND faults "${LIBRARY}: soname '${CMAKE_MATCH_1}', not libquorlink.so.${major}\n")
  endif()
endif()

file(STRINGS "${PC}" pc_version REGEX "^Version:")
if(NOT pc_version STREQUAL "Version: ${VERSION}")
  string(APPEND faults "${PC}: '${pc_version}'\n")
endif()

if(faults)
  message(FATAL_ERROR "the library's version is ${VERSION}, but:\n${faults}")
endif()
message(STATUS "GetVersions, ${LIBRARY} and ${PC} all say ${VERSION}")
