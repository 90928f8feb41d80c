#pragma once
// The fuzz targets' assertion: a broken property stops the run with its description,
// so libFuzzer keeps the input that broke it.

#include <cstdio>
#include <cstdlib>

namespace fuzzing {

inline void Check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "check failed: %s\n", what);
    std::abort();
}

} // namespace fuzzing
