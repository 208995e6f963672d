#pragma once
// How many rounds the random number properties run: their suite size times
// ZEMRANA_SOAK_SCALE (1 when unset; scripts/test --full sets 100). A scale
// below 1 shrinks them, to one round at least: scripts/mutation runs every
// mutant's tests that way.

#include <algorithm>
#include <cmath>
#include <cstdlib>

inline double SoakScale() {
    const char* scale = std::getenv("ZEMRANA_SOAK_SCALE");
    double factor = scale ? std::strtod(scale, nullptr) : 1;
    return factor > 0 ? factor : 1;
}

inline long long SoakRounds(long long suiteSize) {
    return std::max(1LL, std::llround(static_cast<double>(suiteSize) * SoakScale()));
}

// A soak that the suite already runs at its full size: a scale below 1
// shrinks it, a larger one leaves it as it is.
inline long long FullSizeSoakRounds(long long fullSize) { return std::min(fullSize, SoakRounds(fullSize)); }
