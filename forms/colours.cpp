#include "forms/colours.h"

#include <cmath>

namespace forms {
namespace {

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;

// A description's colour: its own, a system colour (0x80000000 + n), or the
// system colour `defaultSystemColour` when none is given.
COLORREF Resolve(Colour colour, int defaultSystemColour) {
    if (colour == kDefaultColour) return GetSysColor(defaultSystemColour);
    if (colour & 0x80000000u) return GetSysColor(static_cast<int>(colour & 0xFF));
    return colour;
}

double Linear(unsigned channel) {
    double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(COLORREF colour) {
    return 0.2126 * Linear(colour & 0xFF) + 0.7152 * Linear((colour >> 8) & 0xFF) +
           0.0722 * Linear((colour >> 16) & 0xFF);
}

}  // namespace

double ContrastRatio(COLORREF first, COLORREF second) {
    double a = RelativeLuminance(first);
    double b = RelativeLuminance(second);
    return (std::fmax(a, b) + 0.05) / (std::fmin(a, b) + 0.05);
}

COLORREF ReadableText(COLORREF back, COLORREF text) {
    if (ContrastRatio(back, text) >= kReadableContrast) return text;
    return ContrastRatio(back, kBlack) >= ContrastRatio(back, kWhite) ? kBlack : kWhite;
}

bool HighContrastOn() {
    HIGHCONTRASTW highContrast{};
    highContrast.cbSize = sizeof highContrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof highContrast, &highContrast, 0) &&
           (highContrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

ColourPair ControlColours(const ControlDescription& control, bool highContrast) {
    bool box = control.kind == ControlKind::TextBox;
    int backColour = box ? COLOR_WINDOW : COLOR_BTNFACE;
    int textColour = box ? COLOR_WINDOWTEXT : COLOR_BTNTEXT;
    if (highContrast) return ColourPair{GetSysColor(backColour), GetSysColor(textColour)};
    COLORREF back = Resolve(control.backColour, COLOR_WINDOW);
    return ColourPair{back, ReadableText(back, Resolve(control.textColour, textColour))};
}

COLORREF FormBackground(const FormDescription& form, bool highContrast) {
    return highContrast ? GetSysColor(COLOR_BTNFACE) : Resolve(form.backColour, COLOR_BTNFACE);
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
