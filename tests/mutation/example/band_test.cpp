// The example's test program: plain checks, no framework. It leaves the count
// of computed bands untested on purpose, for a mutant that survives.
#include "band.h"

#include <cstdio>

int main() {
    struct Case {
        int score, passMark, band;
    };
    const Case cases[] = {{49, 50, 0}, {50, 50, 1}, {59, 50, 1}, {60, 50, 2}, {80, 50, 4},
                          {95, 50, 5}, {100, 50, 5}, {200, 50, 5}, {10, 0, 2}};
    int failures = 0;
    for (const Case& c : cases) {
        if (Band(c.score, c.passMark) != c.band) {
            std::printf("Band(%d, %d) is not %d\n", c.score, c.passMark, c.band);
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
