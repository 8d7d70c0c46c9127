// The fuzz targets' one check: a broken invariant says which and aborts, so libFuzzer keeps the
// input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace t2k::fuzz {

inline void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

} // namespace t2k::fuzz
