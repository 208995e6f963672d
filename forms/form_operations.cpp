#include "forms/form.h"

#include "forms/screen.h"

#include <cmath>

namespace forms {

float Form::Width() const {
    RECT area;
    GetWindowRect(window_, &area);
    return static_cast<float>(area.right - area.left) * Screen().twipsPerPixelX;
}

float Form::Height() const {
    RECT area;
    GetWindowRect(window_, &area);
    return static_cast<float>(area.bottom - area.top) * Screen().twipsPerPixelY;
}

void Form::Move(float left, float top) {
    ScreenMetrics screen = Screen();
    SetWindowPos(window_, nullptr, static_cast<int>(std::lround(left / screen.twipsPerPixelX)),
                 static_cast<int>(std::lround(top / screen.twipsPerPixelY)), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace forms
