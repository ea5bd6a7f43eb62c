# Quorlink.dll: the export table from the module-definition file (names, ordinals, the 32-bit
# decorations), the start-up entry, the version resource, and the import library Quorlink.lib.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # __stdcall names: the linker sees LibMain@16 and exports it as the compilers of the callers
  # spell it.
  set(QUORLINK_LIBMAIN_EXPORT "_LibMain@16 = LibMain@16")
  set(QUORLINK_WEP_EXPORT "_WEP@4 = WEP@4")
else()
  set(QUORLINK_LIBMAIN_EXPORT LibMain)
  set(QUORLINK_WEP_EXPORT WEP)
endif()
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/quorlink.def.in ${CMAKE_CURRENT_BINARY_DIR}/quorlink.def
  @ONLY)
string(REPLACE "." "," QUORLINK_VERSION_COMMAS ${QUORLINK_VERSION})
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/quorlink.rc.in ${CMAKE_CURRENT_BINARY_DIR}/quorlink.rc
  @ONLY)

target_sources(Quorlink PRIVATE
  src/dll_main.cpp
  ${CMAKE_CURRENT_BINARY_DIR}/quorlink.def
  ${CMAKE_CURRENT_BINARY_DIR}/quorlink.rc)
set_target_properties(Quorlink PROPERTIES
  OUTPUT_NAME Quorlink
  PREFIX ""
  IMPORT_PREFIX ""
  IMPORT_SUFFIX ".lib"
  LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/quorlink.def.in)
torvix_warnings(Quorlink)
