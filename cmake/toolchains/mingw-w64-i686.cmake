# SPDX-License-Identifier: MIT
# 32-bit Windows (i686) with mingw-w64, for the older callers that are 32-bit programs.
set(TORVIX_MINGW_TRIPLE i686-w64-mingw32)
set(TORVIX_MINGW_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
