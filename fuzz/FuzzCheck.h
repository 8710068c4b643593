#pragma once
// What a fuzz target does when a property it checks does not hold: says which
// one on standard error and aborts, so that libFuzzer keeps the input as a
// crash.

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                     \
    do {                                                                          \
        if (!(condition)) {                                                       \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, \
                #condition);                                                      \
            std::abort();                                                         \
        }                                                                         \
    } while (0)
