# SPDX-License-Identifier: MIT
# torvix_include_root(target folder [EXCEPT subfolder...]): `#include "folder/..."` works in
# target and in every target that links it, and in no other.
#
# Sources name a header by its room ("camera/camera_link.h"). Instead of the whole source tree,
# each library gets as its include directory a folder in the build tree that holds one link,
# named after the room, to the room's folder:
#     <build>/include-roots/camera/camera -> <source>/camera
# so a target finds a room's headers only when it links one of that room's libraries, directly
# or through another one. A subfolder that is a room of its own (app/qt, app/win32) is left out
# of its parent's root with EXCEPT: that root then links each entry of the parent's folder but
# those. Tests, benchmarks and fuzz targets reach their own folders (tests/support/...) the
# same way.
function(torvix_include_root target folder)
  cmake_parse_arguments(R "" "" "EXCEPT" ${ARGN})
  string(REPLACE "/" "_" name ${folder})
  set(root ${PROJECT_BINARY_DIR}/include-roots/${name})
  set(source ${PROJECT_SOURCE_DIR}/${folder})
  if(R_EXCEPT)
    file(MAKE_DIRECTORY ${root}/${folder})
    file(GLOB entries RELATIVE ${source} CONFIGURE_DEPENDS ${source}/*)
    list(REMOVE_ITEM entries ${R_EXCEPT})
    foreach(entry IN LISTS entries)
      file(CREATE_LINK ${source}/${entry} ${root}/${folder}/${entry} SYMBOLIC)
    endforeach()
  else()
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${source} ${root}/${folder} SYMBOLIC)
  endif()

  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    set(scope INTERFACE)
  elseif(type STREQUAL "EXECUTABLE")
    set(scope PRIVATE)
  else()
    set(scope PUBLIC)
  endif()
  target_include_directories(${target} ${scope} $<BUILD_INTERFACE:${root}>)
endfunction()
