#pragma once
// Grading bands, a small function for the mutation tool to work on.

// How many bands were computed; nothing in the tests reads it.
extern int bandsComputed;

// 0 below the pass mark; from it, one band more for every ten points, at most 5.
int Band(int score, int passMark);
