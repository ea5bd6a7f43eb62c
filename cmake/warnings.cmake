# SPDX-License-Identifier: MIT
# torvix_warnings(target): the project's warning set, applied to every target we own. -Wshadow and
# -Wconversion: a name that hides another and a value that silently loses bits are both faults
# that compile; a narrowing that is meant is written as a cast.
function(torvix_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion)
    if(TORVIX_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
endfunction()

# torvix_test(name sources... LIBS libs...): one GoogleTest executable registered with CTest.
function(torvix_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  torvix_include_root(${name} tests)
  torvix_warnings(${name})
  if(CMAKE_CROSSCOMPILING)
    # One CTest test per program, run by the emulator (wine) in the prefix the wine fixture
    # prepares: discovering the single tests would run every program under wine at build time.
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
      FIXTURES_REQUIRED wine ENVIRONMENT "${TORVIX_WINE_ENVIRONMENT}")
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
endfunction()
