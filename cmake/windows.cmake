# SPDX-License-Identifier: MIT
# What a Windows build cross-built from Debian needs beyond the toolchain file: the resource
# compiler (the library's version resource), the header-only libraries of the command-line tool,
# GoogleTest built from source, and wine to run the tests.

enable_language(RC)

# Programs and the DLL side by side, where Windows looks for a program's DLLs first.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# CLI11 and nlohmann-json are header-only, so the Debian packages serve any target. Their own
# package files would add /usr/include to the compile, where the Linux C library's headers would
# shadow mingw-w64's; hand over just their two header folders instead.
function(torvix_host_header_package package target folder)
  find_path(_dir ${folder} PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT _dir)
    message(FATAL_ERROR "${package}: /usr/include/${folder} not found (scripts/deps.sh installs it)")
  endif()
  set(staged ${CMAKE_BINARY_DIR}/host-headers/${package})
  file(MAKE_DIRECTORY ${staged})
  file(CREATE_LINK ${_dir}/${folder} ${staged}/${folder} SYMBOLIC)
  file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/${package}Config.cmake
    "if(NOT TARGET ${target})\n"
    "  add_library(${target} INTERFACE IMPORTED)\n"
    "  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES \"${staged}\")\n"
    "endif()\n")
  unset(_dir CACHE)
endfunction()
torvix_host_header_package(CLI11 CLI11::CLI11 CLI)
torvix_host_header_package(nlohmann_json nlohmann_json::nlohmann_json nlohmann)

if(NOT TORVIX_BUILD_TESTS)
  return()
endif()

# Debian ships GoogleTest's sources for exactly this: build it with the cross compiler.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The unit tests are built and run in the x86-64 build, under wine64. The i686 build checks its
# export table and runs one caller of the import library under 32-bit wine (wine32, from
# Debian's i386 architecture), in a prefix of its own.
set(TORVIX_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine CACHE PATH "WINEPREFIX of the tests")
# Even without wine the tests are registered: the prefix fixture then says in one line why
# none of them can run, instead of the suite passing with nothing tested.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  find_program(TORVIX_WINE NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TORVIX_WINE})
  set(TORVIX_WINE_ENVIRONMENT "WINEPREFIX=${TORVIX_WINE_PREFIX};WINEDEBUG=-all")
else()
  # wine32's loader; /usr/bin/wine comes with Debian's wine package, which is not needed.
  find_program(TORVIX_WINE NAMES wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
  set(TORVIX_WINE_ENVIRONMENT "WINEARCH=win32;WINEPREFIX=${TORVIX_WINE_PREFIX};WINEDEBUG=-all")
endif()
