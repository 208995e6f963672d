#pragma once
// The forms runtime: builds a window and its controls from a description,
// runs the message loop and raises the events of the form's event table.

#include "forms/description.h"
#include "forms/fonts.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace forms {

struct AccessibleFacts;

class Form {
public:
    Form(const FormDescription& description, const EventBinding* events, size_t eventCount);
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the window and its controls, raises Load, then shows the window
    // with the focus in the first control of the tab order, and runs the
    // message loop until the window is gone. Returns the process exit code.
    int Run(HINSTANCE instance);

    std::wstring Text(const char* control) const;
    void SetText(const char* control, const std::wstring& text);
    void SetCaption(const char* label, const std::wstring& caption);
    void SetFocus(const char* control);
    void SetTimerInterval(const char* timer, int milliseconds);
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

    // Control ID of a windowed control: 1000 + its tab index, so that tools
    // and tests can find it.
    static constexpr int kControlIdBase = 1000;

private:
    struct Control;

    void CreateFormWindow(HINSTANCE instance);
    void CreateControls(HINSTANCE instance);
    void CreateControl(HINSTANCE instance, Control& control);
    void StackControls();
    void ApplyColours();
    void Recolour();
    void AddTooltips();
    void RelayToTooltip(const MSG& message);
    Control& Find(const char* name);
    const Control& Find(const char* name) const;
    Control* FindByWindow(HWND window);
    HWND ContainerWindow(const Control& control) const;
    RECT PixelRect(const Control& control) const;

    bool Raise(const char* source, Event event);
    bool RaiseWithCode(const char* source, Event event, int16_t& code);

    bool PreTranslate(MSG& message);
    bool HandleKeyDown(MSG& message);
    bool HandleCharacter(MSG& message);
    void MoveFocusAlongTabOrder(bool forward);
    void Click(const Control& button);

    LRESULT FormProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);
    bool ContainerMessage(HWND container, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    LRESULT ColourControl(HDC dc, HWND control);
    AccessibleFacts FactsOf(const Control& control);
    void ListenForReaders(HWND platformWindow);
    static LRESULT CALLBACK PlatformControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void PaintLabel(Control& label, HDC dc);
    void DrawLabel(const Control& label, HDC dc, const RECT& area);
    void DrawButton(const DRAWITEMSTRUCT& item);
    static Form* FormOf(HWND window, UINT message, LPARAM lParam);
    static LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK LabelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    const FormDescription& description_;
    const EventBinding* events_;
    size_t eventCount_;
    std::vector<Control> controls_;
    std::unique_ptr<FontSet> fonts_;
    HWND window_ = nullptr;
    HINSTANCE instance_ = nullptr;
    HWND tooltip_ = nullptr;
    bool tooltipsAdded_ = false;  // or tried and failed: comctl32 is asked once
    HWND timerWindow_ = nullptr;
    HBRUSH formBrush_ = nullptr;
    HICON bigIcon_ = nullptr;  // the form's class icons, which it also answers WM_GETICON with
    HICON smallIcon_ = nullptr;
    HWND focusOnDeactivate_ = nullptr;
    int dpi_ = 96;
    bool unloaded_ = false;
};

}  // namespace forms
