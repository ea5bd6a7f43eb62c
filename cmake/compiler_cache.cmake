# SPDX-License-Identifier: MIT
# Compiles through ccache where it is installed, in every configuration. ccache is told to take
# paths under the source tree as relative ones (base_dir) and not to key on the build folder
# (hash_dir, which the debug information would otherwise bring in), so a build folder made
# anew, another clone, or run-controller.sh's build/run beside build/default takes its objects
# from the cache instead of the compiler. The price: an object taken from another folder's
# compile names that folder in its debug information. A launcher set by hand
# (CMAKE_<LANG>_COMPILER_LAUNCHER, as a cache entry or an environment variable) is kept;
# -DTORVIX_CCACHE=OFF compiles without one.
option(TORVIX_CCACHE "Compile through ccache when it is installed" ON)
if(TORVIX_CCACHE)
  find_program(TORVIX_CCACHE_PROGRAM ccache)
  foreach(language C CXX)
    if(TORVIX_CCACHE_PROGRAM AND NOT CMAKE_${language}_COMPILER_LAUNCHER)
      set(CMAKE_${language}_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env
          CCACHE_BASEDIR=${PROJECT_SOURCE_DIR} CCACHE_NOHASHDIR=true ${TORVIX_CCACHE_PROGRAM})
    endif()
  endforeach()
endif()
