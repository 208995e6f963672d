#pragma once
// What a screen reader learns of a control: the platform's own account of
// its window (oleacc's standard object), with the name, role, states,
// description and default action the runtime knows better. oleacc is loaded
// when the first reader asks, so that no start pays for it.

#include "platform/win32.h"

#include <string>

namespace forms {

struct AccessibleFacts {
    HWND nameSource = nullptr;  // the window whose current text is the name
    std::wstring fixedName;     // the name, where no window shows it
    long role = 0;              // 0: the platform's
    long addedStates = 0;
    bool valueIsText = false;    // a box's value: its current text
    std::wstring description;
    std::wstring defaultAction;  // with it, the default action clicks the window
};

// The answer to WM_GETOBJECT for a window of the runtime: an accessible object
// for the client area, 0 for any other object (the platform then answers).
LRESULT AnswerAccessibleObject(HWND window, WPARAM flags, LPARAM objectId, const AccessibleFacts& facts);

}  // namespace forms
