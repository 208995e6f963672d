#include "forms/colours.h"

namespace forms {

COLORREF ResolveColour(Colour colour, int defaultSystemColour) {
    if (colour == kDefaultColour) return GetSysColor(defaultSystemColour);
    if (colour & 0x80000000u) return GetSysColor(static_cast<int>(colour & 0xFF));
    return colour;
}

UINT TextAlignment(const ControlDescription& control) {
    switch (control.alignment) {
        case Alignment::Left: return DT_LEFT;
        case Alignment::Right: return DT_RIGHT;
        case Alignment::Center: return DT_CENTER;
        case Alignment::Default: break;
    }
    // The default alignment is the reading order's leading edge.
    return control.rightToLeft ? DT_RIGHT : DT_LEFT;
}

}  // namespace forms
