#include "forms/layout.h"

#include <algorithm>

namespace forms {

int TwipsToPixels(int twips, int dpi) {
    long long scaled = static_cast<long long>(twips) * dpi;
    long long half = kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch : -((-scaled + half) / kTwipsPerInch));
}

bool TakesFocus(const ControlDescription& control) {
    return control.kind == ControlKind::TextBox || control.kind == ControlKind::CommandButton;
}

const FontDescription& FontOf(const FormDescription& form, const ControlDescription& control) {
    if (control.font) return *control.font;
    if (control.container >= 0 && static_cast<size_t>(control.container) < form.controlCount) {
        return FontOf(form, form.controls[control.container]);
    }
    return *form.font;
}

std::vector<size_t> TabStops(const ControlDescription* controls, size_t count) {
    std::vector<size_t> stops;
    for (size_t i = 0; i < count; ++i) {
        if (TakesFocus(controls[i])) stops.push_back(i);
    }
    std::stable_sort(stops.begin(), stops.end(),
                     [controls](size_t a, size_t b) { return controls[a].tabIndex < controls[b].tabIndex; });
    return stops;
}

size_t NextTabStop(size_t count, std::ptrdiff_t current, bool forward) {
    if (current < 0 || static_cast<size_t>(current) >= count) return forward ? 0 : count - 1;
    size_t position = static_cast<size_t>(current);
    return forward ? (position + 1) % count : (position + count - 1) % count;
}

namespace {

// The start of a span of `length` moved into [low, high) as little as it must.
int MoveInside(int start, int length, int low, int high) {
    if (start + length > high) start = high - length;
    return std::max(start, low);
}

}  // namespace

ScreenBox PlaceInside(const ScreenBox& design, const ScreenBox& workArea) {
    int width = design.right - design.left;
    int height = design.bottom - design.top;
    int left = MoveInside(design.left, width, workArea.left, workArea.right);
    int top = MoveInside(design.top, height, workArea.top, workArea.bottom);
    return ScreenBox{left, top, left + width, top + height};
}

}  // namespace forms
