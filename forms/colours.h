#pragma once
// Colours and text alignment as a description gives them.

#include "forms/description.h"

#include <windows.h>

namespace forms {

// A description's colour: its own, a system colour (0x80000000 + n), or the
// system colour `defaultSystemColour` when none is given.
COLORREF ResolveColour(Colour colour, int defaultSystemColour);

// The DT_ alignment of a control's text.
UINT TextAlignment(const ControlDescription& control);

}  // namespace forms
