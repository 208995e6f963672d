#pragma once
// Where the time goes: the runtime notes each phase of its start-up, the
// paint messages of its first paint and its first idle moment here. The
// shipped program links forms/timings_off.cpp, where every call does nothing;
// the instrumented twin of the benchmarks links bench/timings.cpp, which
// records the phases and, once the window is idle, times full repaints.

#include "platform/win32.h"

namespace forms::timings {

// The first thing the entry point does: notes the time since the process
// was created.
void Begin();

// Ends a phase: the time since the previous mark is charged to it.
void Mark(const char* phase);

// While one lives, each paint message sent to a window of this thread is
// charged to the kind of that window (its class) and the message, less the
// time of the paint messages it sends in turn.
class PaintCosts {
public:
    explicit PaintCosts(const char* prefix);
    ~PaintCosts();
    PaintCosts(const PaintCosts&) = delete;
    PaintCosts& operator=(const PaintCosts&) = delete;
};

// Called before each wait for a message: the first time the queue is empty,
// starts timing full repaints of the window, one each time it has been idle
// a while, while the program's own message loop goes on.
void MeasureRepaintsOnceIdle(HWND window);

}  // namespace forms::timings
