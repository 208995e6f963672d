#pragma once
// The forms runtime: builds a window and its controls from a description,
// runs the message loop and raises the events its code binds. Each kind of
// control keeps its own behaviour (forms/label.h and its siblings); the form
// keeps its life and message loop, the keys it handles before any control
// (key preview, the default and cancel buttons, the tab order) and its own
// events, and hands its code each control by its typed place.

#include "forms/control_host.h"
#include "forms/controls.h"
#include "forms/description.h"
#include "forms/events.h"
#include "forms/fonts.h"

#include "platform/win32.h"

#include <memory>
#include <string>
#include <vector>

namespace forms {

// Exit statuses of a start whose form could not be built: nothing is shown.
constexpr int kExitClassNotRegistered = 2;
constexpr int kExitWindowNotCreated = 3;

class Form : private ControlHost {
public:
    explicit Form(const FormDescription& description);
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the window and its controls, raises Load, then shows the window
    // with the focus in the first control of the tab order, and runs the
    // message loop until the window is gone. Returns the process exit code;
    // one of the statuses above when the window or a control could not be made.
    int Run(HINSTANCE instance);

    // The form's events: Load before the window shows; Unload when it is
    // asked to close, whose handler may set the cancel flag; KeyPress, under
    // key preview, before the focused control's.
    PlainEvent onLoad;
    CodeEvent onUnload;
    CodeEvent onKeyPress;

    // The control at that place of the description, as the class of its kind.
    template <ControlKind Kind>
    KindClass<Kind>& operator[](ControlSlot<Kind> slot) const {
        return static_cast<KindClass<Kind>&>(*controls_[static_cast<size_t>(slot.index)]);
    }

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

    const FormDescription& Description() const { return description_; }

private:
    HFONT Font(const ControlDescription& control) override;
    int Dpi() const override { return dpi_; }
    bool FilterCharacter(HWND target, int16_t& code) override;

    bool RegisterClasses(HINSTANCE instance);
    bool CreateFormWindow(HINSTANCE instance);
    bool CreateControls(HINSTANCE instance);
    void StackControls();
    void ApplyColours();
    void Recolour();
    void AddTooltips();
    void RelayToTooltip(const MSG& message);
    // The control whose window this is, when it is one of the form's.
    Control* ControlOf(HWND window) const;

    bool PreTranslate(MSG& message);
    bool HandleKeyDown(MSG& message);
    bool HandleCharacter(MSG& message);
    void MoveFocusAlongTabOrder(bool forward);
    void ClickEach(bool (*chosen)(const ControlDescription&));

    LRESULT FormProc(UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    const FormDescription& description_;
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
