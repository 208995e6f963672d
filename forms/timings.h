#pragma once
// Where the time goes. Started with "--timings FILE" the program notes how
// long each phase of its start-up takes and what a full repaint of its window
// costs per kind of window and message, and writes it all to FILE once the
// window is idle. Without the switch every call here returns at once.

#include <windows.h>

namespace forms::timings {

// Reads the switch from the command line and notes the time from the
// process's creation to this call; the first thing the entry point does.
void Begin(const wchar_t* commandLine);

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

// Invalidates the window's frame, client area and every child, and paints
// them all at once, as when the window is uncovered. Returns milliseconds.
double FullRepaint(HWND window);

// Called before each wait for a message: the first time the queue is empty,
// times a number of full repaints of the window, then the cost of one per
// kind of window, and writes the file.
void MeasureRepaintsOnceIdle(HWND window);

}  // namespace forms::timings
