#pragma once
// The kinds of control that are the platform's own windows (text boxes and
// command buttons): each gets a procedure in front of the platform's, which
// answers a screen reader, lets the kind answer what it handles itself, and
// hands every other message straight on.

#include "forms/control.h"

namespace forms {

class PlatformControl : public Control {
public:
    using Control::Control;

    // A character typed into the control: its handler may change or zero it.
    CodeEvent onKeyPress;
    const CodeEvent* KeyPressEvent() const override { return &onKeyPress; }

protected:
    // Puts the runtime's procedure in front of the window's own, which the
    // control keeps.
    void TakeMessagesFirst();
    // A message the kind answers itself, in `result`; false hands it on to
    // the platform's procedure.
    virtual bool Answer(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    LRESULT CallPlatform(UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC platformProc_ = nullptr;
};

}  // namespace forms
