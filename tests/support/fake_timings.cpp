// The start-up's marks as the benchmarks' twin would take them, recorded
// among the platform's calls so that a test sees where each phase ends.

#include "fake_win32.h"
#include "forms/timings.h"

namespace forms::timings {

void Mark(const char* phase) { fake::Record(std::string("Mark ") + phase); }

PaintCosts::PaintCosts(const char* prefix) { fake::Record(std::string("PaintCosts ") + prefix); }

PaintCosts::~PaintCosts() { fake::Record("PaintCosts end"); }

void MeasureRepaintsOnceIdle(HWND window) {
    fake::Record("MeasureRepaintsOnceIdle", {static_cast<long long>(reinterpret_cast<uintptr_t>(window))});
}

}  // namespace forms::timings
