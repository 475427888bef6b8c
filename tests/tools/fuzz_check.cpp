#include "tests/tools/fuzz_bytes.h"

#include <cstdio>
#include <cstdlib>

void fuzzCheck(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}
