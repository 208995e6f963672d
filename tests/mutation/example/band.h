#pragma once
// Grading bands, a small function for the mutation tool to work on.

// How many bands were computed; nothing in the tests reads it.
extern int bandsComputed;

// 0 below the pass mark; from it, one band more for every ten points, at most 5.
int Band(int score, int passMark);

// The two ways a band can be shown, named as a platform names them.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// The mode bands are shown in (OPAQUE until a paper is marked), and the band
// and mode of the last one shown.
extern int mode;
extern int shownBand;
extern int shownMode;

// A paper marked: its band, one less when it came late (never below 0), shown
// over the page.
int Mark(int score, int passMark, bool late);
int MarkOnTime(int score, int passMark);
