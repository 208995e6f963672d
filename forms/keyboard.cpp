#include "forms/form.h"

#include "forms/form_control.h"
#include "forms/layout.h"

namespace forms {

// Keys the window handles itself before any control sees them.
bool Form::PreTranslate(MSG& message) {
    // The message kind first: asking for the window's ancestry costs more, and
    // most messages (timer ticks among them) are no keys.
    if (message.message != WM_KEYDOWN && message.message != WM_CHAR) return false;
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
    return message.message == WM_KEYDOWN ? HandleKeyDown(message) : HandleCharacter(message);
}

bool Form::HandleKeyDown(MSG& message) {
    bool control = GetKeyState(VK_CONTROL) < 0;
    switch (message.wParam) {
        case VK_TAB:
            if (control) return false;
            MoveFocusAlongTabOrder(GetKeyState(VK_SHIFT) >= 0);
            return true;
        case VK_RETURN: {
            Control* focused = FindByWindow(GetFocus());
            if (focused && focused->description->kind == ControlKind::CommandButton) {
                Click(*focused);
                return true;
            }
            for (Control& button : controls_) {
                if (button.description->isDefault) Click(button);
            }
            return true;
        }
        case VK_ESCAPE:
            for (Control& button : controls_) {
                if (button.description->isCancel) Click(button);
            }
            return true;
        default:
            return false;
    }
}

// Key preview: the form sees every character first and may change or drop
// it; then the control that had the focus when the key was pressed.
bool Form::HandleCharacter(MSG& message) {
    int16_t code = static_cast<int16_t>(message.wParam);
    if (description_.keyPreview) RaiseWithCode(description_.name, Event::KeyPress, code);
    if (code == 0) return true;
    if (Control* target = FindByWindow(message.hwnd)) RaiseWithCode(target->description->name, Event::KeyPress, code);
    if (code == 0) return true;
    message.wParam = static_cast<WPARAM>(static_cast<uint16_t>(code));
    return false;
}

void Form::MoveFocusAlongTabOrder(bool forward) {
    std::vector<size_t> stops = TabStops(description_.controls, description_.controlCount);
    if (stops.empty()) return;
    std::ptrdiff_t current = -1;
    if (Control* focused = FindByWindow(GetFocus())) {
        size_t index = static_cast<size_t>(focused - controls_.data());
        for (size_t i = 0; i < stops.size(); ++i) {
            if (stops[i] == index) current = static_cast<std::ptrdiff_t>(i);
        }
    }
    Control& next = controls_[stops[NextTabStop(stops.size(), current, forward)]];
    ::SetFocus(next.window);
    if (next.description->kind == ControlKind::TextBox) SendMessageW(next.window, EM_SETSEL, 0, -1);
}

}  // namespace forms
