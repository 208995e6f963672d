// The shipped program measures nothing: it takes no command line and writes
// no file. The instrumented twin links bench/timings.cpp instead.
#include "forms/timings.h"

namespace forms::timings {

void Begin() {}

void Mark(const char*) {}

PaintCosts::PaintCosts(const char*) {}

PaintCosts::~PaintCosts() {}

void MeasureRepaintsOnceIdle(HWND) {}

}  // namespace forms::timings
