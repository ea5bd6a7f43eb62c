# SPDX-License-Identifier: MIT
# cmake -DMAN=page.1 -DHELP="prog --help|prog sub --help|..." -DOTHERS="prog2|prog3"
#       -P man_page_options.cmake
# Fails unless the options the program's help texts show and those its man page names are the
# same set: a new option must reach the page, a dropped one must leave it. An option right
# after the name of one of the OTHERS programs is that program's, not this one's. The command
# lines a help shows, if any, must be the page's synopsis.
string(REPLACE "|" ";" HELP "${HELP}")
foreach(line IN LISTS HELP)
  separate_arguments(command UNIX_COMMAND "${line}")
  execute_process(COMMAND ${command} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "'${line}' exited with ${rc}: ${err}")
  endif()
  string(APPEND help_text " ${out}")
endforeach()

file(READ ${MAN} page)
string(REGEX REPLACE "\\\\f[BIRP]" "" page "${page}")  # font changes glue words together
string(REPLACE "\\-" "-" page "${page}")
string(REGEX REPLACE "(${OTHERS}) +--?[a-z][a-z-]*" "\\1" page "${page}")

function(option_set text out)
  string(REGEX REPLACE "[][;]" " " text "${text}")  # brackets and ; would bend CMake's lists
  string(REGEX MATCHALL "(^|[^A-Za-z0-9_/.:-])--?[a-z][a-z-]*" hits "${text}")
  set(options "")
  foreach(hit IN LISTS hits)
    string(REGEX MATCH "--?[a-z]([a-z-]*[a-z])?" hit "${hit}")
    list(APPEND options "${hit}")
  endforeach()
  list(REMOVE_DUPLICATES options)
  list(SORT options)
  set(${out} "${options}" PARENT_SCOPE)
endfunction()

option_set("${help_text}" from_help)
option_set("${page}" from_page)
if(NOT from_help STREQUAL from_page)
  message(FATAL_ERROR "help and ${MAN} disagree\n  help: ${from_help}\n  page: ${from_page}")
endif()

# The command lines the help shows (those that start with the program's name) are the page's
# synopsis as man shows it, line for line, but for its line of --version. Brackets would hold
# a CMake list together, so angle brackets stand in for them.
get_filename_component(name ${MAN} NAME_WE)
string(REGEX REPLACE ".*\n\\.SH SYNOPSIS\n(.*)\n\\.SH .*" "\\1\n.br" synopsis "${page}")
foreach(text help_text synopsis)
  string(REPLACE "[" "<" ${text} "${${text}}")
  string(REPLACE "]" ">" ${text} "${${text}}")
endforeach()
string(REGEX MATCHALL "\n *${name} [^\n]*" shown "${help_text}")
list(TRANSFORM shown STRIP)
list(REMOVE_DUPLICATES shown)  # each command's help shows them again
string(REPLACE "\n" ";" requests "${synopsis}")
set(lines "")
foreach(request IN LISTS requests)
  if(request STREQUAL ".br")
    if(NOT line MATCHES "--version")
      list(APPEND lines "${line}")
    endif()
    set(line "")
  elseif(request MATCHES "^\\.([BIR]+) (.*)$")
    # .B and .I keep the blanks between words; .RB, .IR and the like join their arguments.
    separate_arguments(words UNIX_COMMAND "${CMAKE_MATCH_2}")
    set(glue "")
    if(CMAKE_MATCH_1 MATCHES "^.$")
      set(glue " ")
    endif()
    list(JOIN words "${glue}" text)
    string(STRIP "${line} ${text}" line)
  endif()
endforeach()
if(shown AND NOT shown STREQUAL lines)
  foreach(list shown lines)
    string(REPLACE ";" "\n  " ${list} "${${list}}")
    string(REPLACE "<" "[" ${list} "${${list}}")
    string(REPLACE ">" "]" ${list} "${${list}}")
  endforeach()
  message(FATAL_ERROR "help shows\n  ${shown}\nbut the synopsis of ${MAN} is\n  ${lines}")
endif()
message(STATUS "${MAN}: ${from_page}")
