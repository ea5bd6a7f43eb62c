# SPDX-License-Identifier: MIT
# cmake -DMAN=page.1 -DPROGRAM=path -P man_page_synopsis.cmake
# The command lines PROGRAM --help prints (those that start with the program's name) are the
# lines of the page's SYNOPSIS as man shows them, but for the one of --help and --version.
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help exited with ${rc}")
endif()
get_filename_component(name ${PROGRAM} NAME_WE)
file(READ ${MAN} page)
# A bracket would hold a CMake list together; angle brackets stand in for both texts.
foreach(text help page)
  string(REPLACE "[" "<" ${text} "${${text}}")
  string(REPLACE "]" ">" ${text} "${${text}}")
  string(REPLACE ";" "," ${text} "${${text}}")
endforeach()

string(REGEX MATCHALL "\n *${name} [^\n]*" shown "${help}")
list(TRANSFORM shown REPLACE "^\n *" "")

string(REGEX REPLACE ".*\n\\.SH SYNOPSIS\n(.*)\n\\.SH .*" "\\1" synopsis "${page}")
string(REPLACE "\n.br\n" "\n.br\n\n" synopsis "${synopsis}")
string(REPLACE "\n" ";" roff "${synopsis}")
set(lines "")
set(line "")
foreach(request IN LISTS roff)
  if(request STREQUAL ".br")
    list(APPEND lines "${line}")
    set(line "")
  elseif(request MATCHES "^\\.([BIR]+) (.*)$")
    # .B and .I keep the blanks between their words; .RB, .IR and the like alternate fonts
    # and join their arguments (a quoted one keeps its blanks).
    set(macro ${CMAKE_MATCH_1})
    separate_arguments(words UNIX_COMMAND "${CMAKE_MATCH_2}")
    string(LENGTH ${macro} fonts)
    if(fonts EQUAL 1)
      list(JOIN words " " text)
    else()
      list(JOIN words "" text)
    endif()
    string(STRIP "${line} ${text}" line)
  endif()
endforeach()
list(APPEND lines "${line}")
list(FILTER lines EXCLUDE REGEX "--version")

if(NOT shown STREQUAL lines)
  foreach(list shown lines)
    string(REPLACE ";" "\n  " ${list} "${${list}}")
    string(REPLACE "<" "[" ${list} "${${list}}")
    string(REPLACE ">" "]" ${list} "${${list}}")
  endforeach()
  message(FATAL_ERROR "${name} --help shows\n  ${shown}\nbut ${MAN}'s synopsis is\n  ${lines}")
endif()
