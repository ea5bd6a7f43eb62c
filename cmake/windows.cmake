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

# Debian 12's wine runs 64-bit programs only (32-bit wine needs a second architecture), so the
# unit tests are built and run in the x86-64 build; the i686 build checks its export table.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  find_program(TORVIX_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
  set(TORVIX_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine CACHE PATH "WINEPREFIX of the tests")
  # Even without wine the tests are registered: the prefix fixture then says in one line why
  # none of them can run, instead of the suite passing with nothing tested.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TORVIX_WINE64})
  set(TORVIX_WINE_ENVIRONMENT "WINEPREFIX=${TORVIX_WINE_PREFIX};WINEDEBUG=-all")
endif()
