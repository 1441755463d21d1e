#pragma once

#include <cstdio>
#include <cstdlib>

// A property the code under test promises: when it does not hold, the run stops like a crash, so
// libFuzzer keeps the input.
#define CVX_FUZZ_CHECK(condition)                                                                  \
  do {                                                                                             \
    if (!(condition)) {                                                                            \
      std::fprintf(stderr, "%s:%d: property does not hold: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                                \
    }                                                                                              \
  } while (false)
