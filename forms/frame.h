#pragma once
// A frame: a container of controls inside the form, with a surface of its
// own colour; its controls' tab stops are the form's.

#include "forms/control.h"

namespace forms {

class Frame final : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::Frame;
    using Control::Control;

    static bool RegisterClass(HINSTANCE instance);
    bool Create(HINSTANCE instance, HWND container) override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void AddKindFacts(AccessibleFacts& facts) const override;
};

}  // namespace forms
