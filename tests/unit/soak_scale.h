#pragma once
// How many rounds the random number properties run: their suite size times
// ZEMRANA_SOAK_SCALE (1 when unset; scripts/test --full sets 100).

#include <cstdlib>

inline long long SoakRounds(long long suiteSize) {
    const char* scale = std::getenv("ZEMRANA_SOAK_SCALE");
    long long factor = scale ? std::atoll(scale) : 1;
    return suiteSize * (factor > 0 ? factor : 1);
}
