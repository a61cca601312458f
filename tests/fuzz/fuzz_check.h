#pragma once
// What a fuzz target does when an invariant fails: say which, and abort so
// that libFuzzer keeps the input.

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                 \
  do {                                                        \
    if (!(condition)) {                                       \
      std::fprintf(stderr, "check failed: %s\n", #condition); \
      std::abort();                                           \
    }                                                         \
  } while (0)
