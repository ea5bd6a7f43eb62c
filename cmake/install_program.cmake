# SPDX-License-Identifier: MIT
# torvix_install_program(target component): installs a program that links the shared bridge
# library into bin/ as part of component. Installed under /usr (the Debian packages) it finds
# the library in the loader's own multiarch folder and carries no run path, as Debian wants
# of a program in a system folder; under any other prefix (/usr/local, a home folder) it
# carries $ORIGIN/../<libdir>, so it runs from there without ldconfig or LD_LIBRARY_PATH.
function(torvix_install_program target component)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT ${component})
  if(WIN32 OR APPLE)
    return()
  endif()
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
  set(installed "\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:${target}>")
  install(CODE "if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
                  file(RPATH_REMOVE FILE \"${installed}\")
                endif()"
          COMPONENT ${component})
endfunction()
