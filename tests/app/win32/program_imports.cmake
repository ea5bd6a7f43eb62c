# SPDX-License-Identifier: MIT
# cmake -DOBJDUMP=... -DPROGRAM=prog.exe -P program_imports.cmake
# Fails when the program needs a DLL beyond Windows' own and Quorlink.dll: the compiler's
# runtime (libstdc++, libgcc, winpthreads) must be linked in, for the zip carries no copy of it.
cmake_minimum_required(VERSION 3.25)  # IN_LIST
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} exited with ${rc}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${out}")
if(NOT imports)
  message(FATAL_ERROR "no imported DLL found in ${PROGRAM}")
endif()
# hid and setupapi: the HID adapters, listed and named through the table of transports.
set(allowed comctl32 comdlg32 gdi32 hid kernel32 msvcrt setupapi user32 winmm quorlink)
foreach(import IN LISTS imports)
  string(REGEX REPLACE "^DLL Name: (.*)\\.[dD][lL][lL]$" "\\1" dll "${import}")
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST allowed)
    message(FATAL_ERROR "${PROGRAM} needs ${dll}.dll, which neither Windows nor the zip has")
  endif()
endforeach()
