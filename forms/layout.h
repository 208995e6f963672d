#pragma once
// Pure layout facts of a description: pixel geometry and the tab order.

#include "forms/description.h"

#include <vector>

namespace forms {

constexpr int kTwipsPerInch = 1440;

// Twips to pixels at `dpi`, rounded to the nearest pixel.
int TwipsToPixels(int twips, int dpi);

bool TakesFocus(const ControlDescription& control);

// The control ID of a control's window: 1000 + its tab index, so that tools
// and tests can find it.
constexpr int kControlIdBase = 1000;
constexpr int ControlId(const ControlDescription& control) { return kControlIdBase + control.tabIndex; }

// A control's font: its own, or else its container's, up to the form's.
const FontDescription& FontOf(const FormDescription& form, const ControlDescription& control);

// Indexes into `controls` of the controls that take the focus, in tab order.
std::vector<size_t> TabStops(const ControlDescription* controls, size_t count);

// The stop after (or before) `current` in a cycle of `count` stops; the first
// (or last) when `current` is not a stop.
size_t NextTabStop(size_t count, std::ptrdiff_t current, bool forward);

// A rectangle of the screen, in pixels; right and bottom lie just outside.
struct ScreenBox {
    int left, top, right, bottom;
};

// Where a window designed to lie at `design` opens in `workArea`: exactly at
// its design place where that fits; otherwise moved along each axis just as
// far as it must to lie inside. A window larger than the work area keeps its
// top-left corner, and so its caption, inside.
ScreenBox PlaceInside(const ScreenBox& design, const ScreenBox& workArea);

}  // namespace forms
