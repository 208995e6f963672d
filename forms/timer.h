#pragma once
// A timer: no window of the form's, but ticks that raise its Timer event.
// They go to a message-only window of its own, so that they never pass
// through whatever procedure the form's window has been given.

#include "forms/control.h"

namespace forms {

class Timer final : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::Timer;
    using Control::Control;

    PlainEvent onTimer;

    static bool RegisterClass(HINSTANCE instance);
    bool Create(HINSTANCE instance, HWND container) override;
    void FormDestroyed() override;
    void ApplyColours(bool) override {}  // nothing to draw

    // Ticks every `milliseconds` from now on; none for 0 or less.
    void SetInterval(int milliseconds);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void AddKindFacts(AccessibleFacts&) const override {}

    HWND tickWindow_ = nullptr;
};

}  // namespace forms
