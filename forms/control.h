#pragma once
// A control of a form as the runtime keeps it while the form lives: its
// description, its window, its colours and what a screen reader hears of it.
// Each kind of control (label, text box, command button, frame, timer) is a
// class of its own, in a file of its own.

#include "forms/accessibility.h"
#include "forms/colours.h"
#include "forms/control_host.h"
#include "forms/description.h"
#include "forms/events.h"
#include "forms/reader_notice.h"
#include "platform/handles.h"

#include "platform/win32.h"

#include <string>

namespace forms {

class Control {
public:
    Control(ControlHost& host, const ControlDescription& description) : host_(host), description_(description) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const ControlDescription& Description() const { return description_; }
    ControlKind Kind() const { return description_.kind; }
    // Every kind's but the timer's, once created.
    HWND Window() const { return window_; }

    // What the control's window shows (empty for a timer), and another text
    // for it to show.
    std::wstring Text() const;
    void SetText(const std::wstring& text) const;
    // The keyboard focus, given to the control's window.
    void Focus() const;

    // Makes the control's window inside `container`. False when the platform
    // could not: the form is then not started.
    virtual bool Create(HINSTANCE instance, HWND container) = 0;
    // The form's window is gone: what outlives it is let go.
    virtual void FormDestroyed() {}

    // The colours as the colour scheme stands, and the brush of the back one.
    virtual void ApplyColours(bool highContrast);
    HBRUSH Brush() const { return brush_.Get(); }
    COLORREF TextColour() const { return colours_.text; }
    // The answer to WM_CTLCOLOREDIT and WM_CTLCOLORSTATIC for the control.
    LRESULT ColourDeviceContext(HDC dc) const;

    // What a screen reader is told of the control.
    AccessibleFacts Facts() const;
    // The control's KeyPress event, for the kinds that take the focus.
    virtual const CodeEvent* KeyPressEvent() const { return nullptr; }
    // A reader names the control by what another window shows (a label's
    // current text), or by a name of its own where none shows it.
    void NameForReaders(HWND nameSource, const wchar_t* fixedName);
    // Readers are told politely that the control shows a new result, and
    // `text` where the platform can say it; or `text` alone, nothing having
    // changed.
    void AnnounceResult(const std::wstring& text);
    void Announce(const std::wstring& text) const;

    // The control a window of the runtime was tied to when it was made: its
    // own window, or a timer's, or nullptr for one not yet tied. Only for
    // windows the runtime made for its controls.
    static Control* Of(HWND window);

protected:
    // Makes a child window at the control's place, with its control ID and
    // font, and ties it to the control.
    bool CreateChild(HINSTANCE instance, HWND container, DWORD exStyle, const wchar_t* windowClass, DWORD style);
    // Ties a window to the control, once, right after it is made.
    void Tie(HWND window);
    // What the kind adds to what a reader hears: its role, its states.
    virtual void AddKindFacts(AccessibleFacts& facts) const = 0;

    ControlHost& host_;

private:
    const ControlDescription& description_;
    HWND window_ = nullptr;
    ColourPair colours_{};
    platform::Brush brush_;
    bool namedForReaders_ = false;
    HWND readerNameSource_ = nullptr;
    const wchar_t* readerFixedName_ = nullptr;
    LiveRegion liveRegion_;
};

// The control as the class of its kind (Label, TextBox, …), or nullptr for
// none or a control of another kind.
template <typename Kind>
Kind* As(Control* control) {
    return control && control->Kind() == Kind::kKind ? static_cast<Kind*>(control) : nullptr;
}

// Registers a window class of the runtime's own; false when the platform
// could not.
bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HICON bigIcon = nullptr,
                         HICON smallIcon = nullptr);

}  // namespace forms
