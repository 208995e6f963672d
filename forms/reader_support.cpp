#include "forms/accessibility.h"
#include "forms/form.h"
#include "forms/form_control.h"

#include <oleacc.h>

#include <cstring>

namespace forms {

// What a screen reader is told of a control, from what the form knows of it.
AccessibleFacts Form::FactsOf(const Control& control) {
    const ControlDescription& d = *control.description;
    AccessibleFacts facts;
    facts.nameSource = control.window;
    if (d.tooltip) facts.description = d.tooltip;
    switch (d.kind) {
        case ControlKind::Label:
            facts.role = ROLE_SYSTEM_STATICTEXT;
            break;
        case ControlKind::CommandButton:
            facts.role = ROLE_SYSTEM_PUSHBUTTON;
            facts.defaultAction = L"Press";
            break;
        case ControlKind::TextBox:
            facts.role = ROLE_SYSTEM_TEXT;
            facts.valueIsText = true;
            if (d.readOnly) facts.addedStates = STATE_SYSTEM_READONLY;
            break;
        case ControlKind::Frame:
            facts.role = ROLE_SYSTEM_GROUPING;
            break;
        case ControlKind::Timer:
            break;
    }
    for (size_t i = 0; i < description_.readerNameCount; ++i) {
        const ReaderName& reader = description_.readerNames[i];
        if (std::strcmp(reader.control, d.name) != 0) continue;
        facts.nameSource = reader.label ? Find(reader.label).window : nullptr;
        if (reader.name) facts.fixedName = reader.name;
    }
    return facts;
}

// The text boxes and buttons are the platform's windows. Each gets this
// procedure in front of its own, which it keeps in the window's user data
// (left to the program by the platform): it answers a screen reader and
// hands every other message straight on.
void Form::ListenForReaders(HWND platformWindow) {
    SetWindowLongPtrW(platformWindow, GWLP_USERDATA, GetWindowLongPtrW(platformWindow, GWLP_WNDPROC));
    SetWindowLongPtrW(platformWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PlatformControlProc));
}

LRESULT CALLBACK Form::PlatformControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_GETOBJECT) {
        auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(GetParent(window), GWLP_USERDATA));
        if (const Control* control = form ? form->FindByWindow(window) : nullptr) {
            if (LRESULT answer = AnswerAccessibleObject(window, wParam, lParam, form->FactsOf(*control))) return answer;
        }
    }
    return CallWindowProcW(own, window, message, wParam, lParam);
}

}  // namespace forms
