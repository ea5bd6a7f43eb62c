// SPDX-License-Identifier: MIT
// What a fuzz target does when an invariant breaks: report it and abort, so libFuzzer keeps
// the input as a crash. assert() would vanish in a release build.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                \
  do {                                                                                       \
    if (!(condition)) {                                                                      \
      std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                          \
    }                                                                                        \
  } while (false)
