// The fuzz target's one way to fail a check, shared by its files.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace fuzz {

// A failed check must stop the run so libFuzzer keeps the input that caused it.
inline void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "check failed: %s\n", what);
        std::abort();
    }
}

}  // namespace fuzz
