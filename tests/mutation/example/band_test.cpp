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
    if (mode != OPAQUE) {
        std::printf("bands are first shown in mode %d\n", mode);
        ++failures;
    }
    struct Paper {
        int score, passMark;
        bool late;
        int band;
    };
    const Paper papers[] = {{60, 50, false, 2}, {80, 50, true, 3}, {50, 50, true, 0}, {40, 50, true, 0}};
    for (const Paper& p : papers) {
        mode = OPAQUE;
        int band = Mark(p.score, p.passMark, p.late);
        if (band != p.band || shownBand != p.band || shownMode != TRANSPARENT) {
            std::printf("Mark(%d, %d, %d) is %d, shown as %d in mode %d, not %d\n", p.score, p.passMark, p.late, band,
                        shownBand, shownMode, p.band);
            ++failures;
        }
    }
    if (MarkOnTime(60, 50) != 2) {
        std::printf("MarkOnTime(60, 50) is not 2\n");
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}
