#pragma once
// The kinds of control that are the platform's own windows (text boxes and
// command buttons): each gets a procedure in front of the platform's, which
// answers a screen reader and hands every other message straight on.

#include "forms/control.h"

namespace forms {

class PlatformControl : public Control {
public:
    using Control::Control;

protected:
    // Puts the runtime's procedure in front of the window's own, which the
    // control keeps.
    void ListenForReaders();

private:
    static LRESULT CALLBACK ReaderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC platformProc_ = nullptr;
};

}  // namespace forms
