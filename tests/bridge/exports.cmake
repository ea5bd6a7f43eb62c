# SPDX-License-Identifier: MIT
# The shared library lets out exactly its 21 entry points: through its ELF dynamic symbol table,
# or through the DLL's export table with the ordinals 1 to 21.
if(WIN32)
  find_program(QUORLINK_OBJDUMP NAMES ${TORVIX_MINGW_TRIPLE}-objdump REQUIRED)
  add_test(NAME quorlink_exports
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_dll_exports.sh ${QUORLINK_OBJDUMP}
            $<TARGET_FILE:Quorlink> ${CMAKE_SIZEOF_VOID_P})
else()
  find_program(QUORLINK_NM nm)
  if(QUORLINK_NM)
    add_test(NAME quorlink_exports
      COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_exports.sh ${QUORLINK_NM} $<TARGET_FILE:Quorlink>)
  endif()
endif()

# A caller of all 21 exports links against the import library and the header, and runs.
if(WIN32)
  add_test(NAME quorlink_import_library
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_import_library.sh ${CMAKE_C_COMPILER}
            ${CMAKE_CURRENT_LIST_DIR}/import_library_probe.c ${PROJECT_SOURCE_DIR}/bridge/include
            $<TARGET_LINKER_FILE:Quorlink> $<TARGET_FILE:Quorlink>
            ${CMAKE_CURRENT_BINARY_DIR}/import_library_probe ${TORVIX_WINE})
  set_tests_properties(quorlink_import_library PROPERTIES
    FIXTURES_REQUIRED wine ENVIRONMENT "${TORVIX_WINE_ENVIRONMENT}")
endif()
