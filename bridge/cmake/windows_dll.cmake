# SPDX-License-Identifier: MIT
# Quorlink.dll: the export table from the module-definition file (names, ordinals, the 32-bit
# decorations), the start-up entry, the version resource, and the import library Quorlink.lib.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # __stdcall names: the linker sees LibMain@16 and exports it as _LibMain@16, as callers that
  # load it by name spell it.
  set(QUORLINK_LIBMAIN_EXPORT "_LibMain@16 = LibMain@16 @18")
  set(QUORLINK_WEP_EXPORT "_WEP@4 = WEP@4 @21")
else()
  set(QUORLINK_LIBMAIN_EXPORT "LibMain @18")
  set(QUORLINK_WEP_EXPORT "WEP @21")
endif()
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/quorlink.def.in ${CMAKE_CURRENT_BINARY_DIR}/quorlink.def
  @ONLY)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # The import library the linker writes names those two by their export names behind the
  # 32-bit underscore (__LibMain@16), which no caller of quorlink.h's LibMain links against.
  # dlltool writes it anew from entries named as the functions are (_LibMain@16 in the
  # library), imported by their export names ("== name"). ld takes "==" as well, but sorts its
  # export table by the entries' names then, and the loader's search by name misses.
  set(QUORLINK_LIBMAIN_EXPORT "LibMain@16 @18 == _LibMain@16")
  set(QUORLINK_WEP_EXPORT "WEP@4 @21 == _WEP@4")
  set(import_def ${CMAKE_CURRENT_BINARY_DIR}/quorlink_import.def)
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/quorlink.def.in ${import_def} @ONLY)
  add_custom_command(TARGET Quorlink POST_BUILD
    COMMAND ${CMAKE_DLLTOOL} -d ${import_def} -l $<TARGET_LINKER_FILE_NAME:Quorlink>
    # dlltool names the library's own symbols after the path it is given: only its name.
    WORKING_DIRECTORY $<TARGET_LINKER_FILE_DIR:Quorlink>
    VERBATIM)
endif()

target_sources(Quorlink PRIVATE
  src/dll_main.cpp
  ${CMAKE_CURRENT_BINARY_DIR}/quorlink.def
  quorlink.rc)
# The version resource reads the generated quorlink_version.h.
target_include_directories(Quorlink PRIVATE ${QUORLINK_GENERATED_DIR})
set_target_properties(Quorlink PROPERTIES
  OUTPUT_NAME Quorlink
  PREFIX ""
  IMPORT_PREFIX ""
  IMPORT_SUFFIX ".lib"
  LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/quorlink.def.in)
torvix_warnings(Quorlink)
