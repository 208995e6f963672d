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
