#include "forms/form.h"

#include "forms/accessibility.h"
#include "forms/application.h"
#include "forms/form_control.h"

#include <cmath>

namespace forms {

std::wstring Form::Text(const char* name) const { return WindowText(Find(name).window); }

void Form::SetText(const char* name, const std::wstring& text) { SetWindowTextW(Find(name).window, text.c_str()); }

void Form::SetCaption(const char* name, const std::wstring& caption) {
    Control& label = Find(name);
    if (label.caption == caption) return;  // nothing to repaint
    label.caption = caption;
    label.captionReplaced = true;
    SetWindowTextW(label.window, caption.c_str());
    InvalidateRect(label.window, nullptr, FALSE);
}

void Form::SetFocus(const char* name) { ::SetFocus(Find(name).window); }

void Form::SetTimerInterval(const char* name, int milliseconds) {
    Control& timer = Find(name);
    KillTimer(timerWindow_, timer.timerId);
    if (milliseconds > 0) SetTimer(timerWindow_, timer.timerId, static_cast<UINT>(milliseconds), nullptr);
}

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
