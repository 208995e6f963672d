#include "forms/form.h"

#include "forms/accessibility.h"
#include "forms/application.h"
#include "forms/label.h"
#include "forms/timer.h"

#include <cmath>

namespace forms {

HWND Form::WindowNamed(const char* name) const {
    Control* control = Find(name);
    return control ? control->Window() : nullptr;
}

std::wstring Form::Text(const char* name) const {
    HWND window = WindowNamed(name);
    return window ? WindowText(window) : std::wstring();
}

void Form::SetText(const char* name, const std::wstring& text) {
    if (HWND window = WindowNamed(name)) SetWindowTextW(window, text.c_str());
}

void Form::SetCaption(const char* name, const std::wstring& caption) {
    if (Label* label = As<Label>(Find(name))) label->SetCaption(caption);
}

void Form::SetFocus(const char* name) {
    if (HWND window = WindowNamed(name)) ::SetFocus(window);
}

void Form::SetTimerInterval(const char* name, int milliseconds) {
    if (Timer* timer = As<Timer>(Find(name))) timer->SetInterval(milliseconds);
}

void Form::AnnounceResult(const char* name, const std::wstring& text) {
    if (Control* control = Find(name)) control->AnnounceResult(text);
}

void Form::Announce(const char* name, const std::wstring& text) {
    if (Control* control = Find(name)) control->Announce(text);
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
