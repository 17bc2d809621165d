#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant in a fuzz target: say which and where, then abort, which both libFuzzer
// and the replay driver report as a failure with the input that caused it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
