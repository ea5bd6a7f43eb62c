# SPDX-License-Identifier: MIT
# cmake -DCHANGELOG=CHANGELOG.md -DSOURCE=torvix -DVERSION=x.y.z -DMAINTAINER="Name <mail>"
#       -DOUTPUT=changelog -P changelog.cmake
# Writes the Debian changelog of the packages from CHANGELOG.md (Keep a Changelog): one entry
# per released version, newest first, each category a bullet with its items below it, wrapped
# to 79 columns. Fails unless the newest release is VERSION, so a version bump without its
# CHANGELOG.md entry does not make packages.

# Moves text's first at characters into the variable piece and drops the one after them (a
# blank, a line end); at -1 moves it all.
macro(cut_text at piece)
  if(${at} EQUAL -1)
    set(${piece} "${text}")
    set(text "")
  else()
    string(SUBSTRING "${text}" 0 ${at} ${piece})
    math(EXPR after "${at} + 1")
    string(SUBSTRING "${text}" ${after} -1 text)
  endif()
endmacro()

# Appends text to out as lines of at most 79 columns, the first led by first, the rest by rest.
function(wrap text first rest out)
  string(REGEX REPLACE "[ \n]+" " " text "${text}")
  string(STRIP "${text}" text)
  set(lines "${${out}}")
  set(lead "${first}")
  while(NOT text STREQUAL "")
    string(LENGTH "${lead}" used)
    math(EXPR room "79 - ${used}")
    string(LENGTH "${text}" left)
    set(cut -1)
    if(left GREATER room)
      math(EXPR head_length "${room} + 1")
      string(SUBSTRING "${text}" 0 ${head_length} head)
      string(FIND "${head}" " " cut REVERSE)
      if(cut LESS 1)  # one word longer than the line: it stands alone
        string(FIND "${text}" " " cut)
      endif()
    endif()
    cut_text(${cut} piece)
    string(APPEND lines "${lead}${piece}\n")
    set(lead "${rest}")
  endwhile()
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

# Ends the item being gathered: a category's item nested below it, a loose paragraph of the
# release a bullet of its own.
macro(end_item)
  if(NOT item STREQUAL "")
    if(category)
      wrap("${item}" "    - " "      " body)
    else()
      wrap("${item}" "  * " "    " body)
    endif()
    set(item "")
  endif()
endmacro()

macro(end_release)
  end_item()
  if(release)
    execute_process(COMMAND date -u -R -d "${date} 00:00" OUTPUT_VARIABLE when
                    OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "CHANGELOG.md: ${release} has no date like 2026-12-08: '${date}'")
    endif()
    string(APPEND entries "${SOURCE} (${release}) unstable; urgency=medium\n\n${body}\n"
                          " -- ${MAINTAINER}  ${when}\n\n")
  endif()
  set(release "")
  set(category "")
  set(body "")
endmacro()

file(READ ${CHANGELOG} text)
set(entries "")
set(newest "")
set(release "")
set(category "")
set(item "")
set(body "")
# Line by line without lists, so a ';' or '[' in the text stays as it is.
while(NOT text STREQUAL "")
  string(FIND "${text}" "\n" end)
  cut_text(${end} line)

  if(line MATCHES "^## ")
    end_release()
    if(line MATCHES "^## \\[([^]]+)\\] - (.*)$" AND NOT CMAKE_MATCH_1 STREQUAL "Unreleased")
      set(release "${CMAKE_MATCH_1}")
      set(date "${CMAKE_MATCH_2}")
      if(newest STREQUAL "")
        set(newest "${release}")
      endif()
    endif()
  elseif(NOT release)
    # The title, the preamble and the unreleased changes are no package's.
  elseif(line MATCHES "^### (.*)$")
    end_item()
    set(category "${CMAKE_MATCH_1}")
    string(APPEND body "  * ${category}:\n")
  elseif(line MATCHES "^- (.*)$")
    end_item()
    set(item "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^[ \t]*$")
    end_item()
  else()
    string(APPEND item " ${line}")
  endif()
endwhile()
end_release()

if(NOT newest STREQUAL VERSION)
  message(FATAL_ERROR "CHANGELOG.md's newest release is '${newest}', the packages' ${VERSION}: "
                      "add its entry")
endif()
string(REGEX REPLACE "\n\n$" "\n" entries "${entries}")
file(WRITE ${OUTPUT} "${entries}")
