# SPDX-License-Identifier: MIT
# Cross-building for Windows from Debian with mingw-w64. Included by the per-architecture
# toolchain files, which set TORVIX_MINGW_TRIPLE and TORVIX_MINGW_PROCESSOR first.
#
# The posix-threads flavour of the compilers: its C++ library has std::thread and std::mutex,
# which the win32 flavour of GCC 12 lacks.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TORVIX_MINGW_PROCESSOR})

set(CMAKE_C_COMPILER ${TORVIX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TORVIX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TORVIX_MINGW_TRIPLE}-windres)

# Libraries, headers and packages come from the mingw-w64 tree only, never from the Linux host;
# the few header-only libraries the tools need are handed over explicitly (cmake/windows.cmake).
set(CMAKE_FIND_ROOT_PATH /usr/${TORVIX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained binaries: the compiler's runtime (libgcc, libstdc++, winpthreads) is linked in,
# so Quorlink.dll and torvix.exe need no other DLL beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
