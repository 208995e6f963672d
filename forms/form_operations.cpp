#include "forms/form.h"

#include "forms/accessibility.h"
#include "forms/application.h"
#include "forms/label.h"
#include "forms/timer.h"

#include <cmath>

namespace forms {
namespace {

// The control of that name when it is of that kind.
template <typename Kind>
Kind* Of(Control* control, ControlKind kind) {
    return control && control->Kind() == kind ? static_cast<Kind*>(control) : nullptr;
}

}  // namespace

std::wstring Form::Text(const char* name) const {
    Control* control = Find(name);
    return control && control->Window() ? WindowText(control->Window()) : std::wstring();
}

void Form::SetText(const char* name, const std::wstring& text) {
    Control* control = Find(name);
    if (control && control->Window()) SetWindowTextW(control->Window(), text.c_str());
}

void Form::SetCaption(const char* name, const std::wstring& caption) {
    if (Label* label = Of<Label>(Find(name), ControlKind::Label)) label->SetCaption(caption);
}

void Form::SetFocus(const char* name) {
    Control* control = Find(name);
    if (control && control->Window()) ::SetFocus(control->Window());
}

void Form::SetTimerInterval(const char* name, int milliseconds) {
    if (Timer* timer = Of<Timer>(Find(name), ControlKind::Timer)) timer->SetInterval(milliseconds);
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
