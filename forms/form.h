#pragma once
// The forms runtime: builds a window and its controls from a description,
// runs the message loop and raises the events of the form's event table.
// Each kind of control keeps its own behaviour (forms/label.h and its
// siblings); the form keeps its life and message loop, the keys it handles
// before any control (key preview, the default and cancel buttons, the tab
// order), its events and the lookup of its controls by name.

#include "forms/control.h"
#include "forms/description.h"
#include "forms/fonts.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace forms {

// Exit statuses of a start whose form could not be built: nothing is shown.
constexpr int kExitClassNotRegistered = 2;
constexpr int kExitWindowNotCreated = 3;

class Form {
public:
    Form(const FormDescription& description, const EventBinding* events, size_t eventCount);
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the window and its controls, raises Load, then shows the window
    // with the focus in the first control of the tab order, and runs the
    // message loop until the window is gone. Returns the process exit code;
    // one of the statuses above when the window or a control could not be made.
    int Run(HINSTANCE instance);

    // What the form's code may read and change of its controls, by name. A
    // name the description lacks changes nothing (and reads as empty).
    std::wstring Text(const char* control) const;
    void SetText(const char* control, const std::wstring& text);
    void SetCaption(const char* label, const std::wstring& caption);
    void SetFocus(const char* control);
    void SetTimerInterval(const char* timer, int milliseconds);
    // What a screen reader is told while the focus stays where it is: that a
    // control shows a new result, said as `text` where the platform can; or
    // `text` alone, said from the control.
    void AnnounceResult(const char* control, const std::wstring& text);
    void Announce(const char* control, const std::wstring& text);
    HWND hWnd() const { return window_; }

    // The form's outer size and position, in twips; Move keeps the size.
    float Width() const;
    float Height() const;
    void Move(float left, float top);

    // Unloads the form: Unload is raised, and when it is not cancelled the
    // window is destroyed and the message loop ends.
    void Unload();
    // Ends the process at once; no further event runs.
    [[noreturn]] static void End();

    // What the form's controls take from it.
    const FormDescription& Description() const { return description_; }
    // The control of that name, or nullptr where the description has none.
    Control* Find(const char* name) const;
    HFONT Font(const ControlDescription& control);
    int Dpi() const { return dpi_; }
    // Raises an event of the form or of one of its controls, if bound.
    bool Raise(const char* source, Event event);
    // Key preview: a character typed into `target` reaches the form's key
    // handler first, then the target control's, each of which may change the
    // code or zero it. False when one zeroed it: the character is dropped.
    bool FilterCharacter(HWND target, int16_t& code);

private:
    bool RegisterClasses(HINSTANCE instance);
    bool CreateFormWindow(HINSTANCE instance);
    bool CreateControls(HINSTANCE instance);
    void StackControls();
    void ApplyColours();
    void Recolour();
    void AddTooltips();
    void RelayToTooltip(const MSG& message);
    // The window of the control of that name, or nullptr.
    HWND WindowNamed(const char* name) const;
    // The control whose window this is, when it is one of the form's.
    Control* ControlOf(HWND window) const;

    bool RaiseWithCode(const char* source, Event event, int16_t& code);

    bool PreTranslate(MSG& message);
    bool HandleKeyDown(MSG& message);
    bool HandleCharacter(MSG& message);
    void MoveFocusAlongTabOrder(bool forward);
    void ClickEach(bool (*chosen)(const ControlDescription&));

    LRESULT FormProc(UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    const FormDescription& description_;
    const EventBinding* events_;
    size_t eventCount_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::unique_ptr<FontSet> fonts_;
    HWND window_ = nullptr;
    HINSTANCE instance_ = nullptr;
    HWND tooltip_ = nullptr;
    bool tooltipsAdded_ = false;  // or tried and failed: comctl32 is asked once
    platform::Brush formBrush_;
    HICON bigIcon_ = nullptr;  // the form's class icons, which it also answers WM_GETICON with
    HICON smallIcon_ = nullptr;
    HWND focusOnDeactivate_ = nullptr;
    int dpi_ = 96;
    bool unloaded_ = false;
};

}  // namespace forms
