# SPDX-License-Identifier: MIT
# 64-bit Windows (x86-64) with mingw-w64.
set(TORVIX_MINGW_TRIPLE x86_64-w64-mingw32)
set(TORVIX_MINGW_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
