# SPDX-License-Identifier: MIT
# Compiles through ccache where it is installed, in every configuration: a build folder made
# anew, a branch switched back or a sanitizer build rebuilt takes its objects from the cache
# instead of the compiler. A launcher set by hand (CMAKE_<LANG>_COMPILER_LAUNCHER, as a cache
# entry or an environment variable) is kept; -DTORVIX_CCACHE=OFF compiles without one.
option(TORVIX_CCACHE "Compile through ccache when it is installed" ON)
if(TORVIX_CCACHE)
  find_program(TORVIX_CCACHE_PROGRAM ccache)
  foreach(language C CXX)
    if(TORVIX_CCACHE_PROGRAM AND NOT CMAKE_${language}_COMPILER_LAUNCHER)
      set(CMAKE_${language}_COMPILER_LAUNCHER ${TORVIX_CCACHE_PROGRAM})
    endif()
  endforeach()
endif()
