#pragma once
// The colours a control is drawn in: those its description gives wherever
// its text reads on its background, a text colour that reads where it would
// not (another colour scheme than the one the window was made in), and the
// user's own pairs under high contrast. And its text's alignment.

#include "forms/description.h"
#include "platform/win32.h"

namespace forms {

struct ColourPair {
    COLORREF back;
    COLORREF text;
};

// The contrast ratio of two colours by their relative luminance (WCAG 2):
// from 1 (the same) to 21 (black and white).
double ContrastRatio(COLORREF first, COLORREF second);

// The least contrast at which a text reads: what the window gives itself in
// its own colours (the red tax on light cyan, 3.6:1).
constexpr double kReadableContrast = 3.0;

// `text` where it reads on `back`; otherwise black or white, whichever
// contrasts more (never less than 4.5:1).
COLORREF ReadableText(COLORREF back, COLORREF text);

// Whether the user has asked for high contrast.
bool HighContrastOn();

// Under high contrast a box takes the window's pair and every other control
// the button face's; otherwise the described colours, the text made readable.
ColourPair ControlColours(const ControlDescription& control, bool highContrast);
COLORREF FormBackground(const FormDescription& form, bool highContrast);

// The DT_ alignment of a control's text.
UINT TextAlignment(const ControlDescription& control);

}  // namespace forms
