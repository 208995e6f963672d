#include "band.h"

int bandsComputed;

namespace {

void CountBand() { ++bandsComputed; }

int PointsAbove(int score, int mark) { return score - mark; }

}  // namespace

int Band(int score, int passMark) {
    CountBand();
    if (score < passMark) return 0;
    int band = PointsAbove(score, passMark) / 10 + 1;
    return band > 5 ? 5 : band;
}

// How a band is shown: over the page, or on a background of its own.
int mode = OPAQUE;
int shownBand;
int shownMode;

namespace {

void SetMode(int newMode) { mode = newMode; }

void Show(int band) {
    shownBand = band;
    shownMode = mode;
}

}  // namespace

int Mark(int score, int passMark, bool late) {
    int band = Band(score, passMark);
    if (late && band >= 1) band = band - 1;
    SetMode(TRANSPARENT);
    Show(band);
    return band;
}

int MarkOnTime(int score, int passMark) { return Mark(score, passMark, false); }
