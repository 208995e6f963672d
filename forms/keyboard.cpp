#include "forms/form.h"

#include "forms/command_button.h"
#include "forms/layout.h"
#include "forms/text_box.h"

#include <algorithm>

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
            if (CommandButton* focused = As<CommandButton>(ControlOf(GetFocus()))) {
                focused->Click();
                return true;
            }
            ClickEach([](const ControlDescription& button) { return button.isDefault; });
            return true;
        }
        case VK_ESCAPE:
            ClickEach([](const ControlDescription& button) { return button.isCancel; });
            return true;
        default:
            return false;
    }
}

void Form::ClickEach(bool (*chosen)(const ControlDescription&)) {
    for (const auto& control : controls_) {
        CommandButton* button = As<CommandButton>(control.get());
        if (button && chosen(button->Description())) button->Click();
    }
}

bool Form::FilterCharacter(HWND target, int16_t& code) {
    if (description_.keyPreview) onKeyPress.Raise(code);
    if (code == 0) return false;
    Control* control = ControlOf(target);
    if (const CodeEvent* keyPress = control ? control->KeyPressEvent() : nullptr) keyPress->Raise(code);
    return code != 0;
}

// The form sees every character first, then the control that had the focus
// when the key was pressed; what they leave goes on to that control.
bool Form::HandleCharacter(MSG& message) {
    int16_t code = static_cast<int16_t>(message.wParam);
    if (!FilterCharacter(message.hwnd, code)) return true;
    message.wParam = static_cast<WPARAM>(static_cast<uint16_t>(code));
    return false;
}

void Form::MoveFocusAlongTabOrder(bool forward) {
    std::vector<size_t> stops = TabStops(description_.controls, description_.controlCount);
    if (stops.empty()) return;
    std::ptrdiff_t current = -1;
    if (Control* focused = ControlOf(GetFocus())) {
        auto at = std::find_if(stops.begin(), stops.end(),
                               [&](size_t index) { return controls_[index].get() == focused; });
        if (at != stops.end()) current = at - stops.begin();
    }
    Control& next = *controls_[stops[NextTabStop(stops.size(), current, forward)]];
    ::SetFocus(next.Window());
    if (TextBox* box = As<TextBox>(&next)) box->SelectAll();
}

}  // namespace forms
