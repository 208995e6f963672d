#include "forms/form.h"

#include "forms/accessibility.h"
#include "forms/form_control.h"

namespace forms {

// The form a window of the runtime belongs to, stored with the window when
// it is created.
Form* Form::FormOf(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    return reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK Form::FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* form = FormOf(window, message, lParam);
    if (!form) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCCREATE) form->window_ = window;
    return form->FormProc(message, wParam, lParam);
}

LRESULT CALLBACK Form::FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* form = FormOf(window, message, lParam);
    if (!form) return DefWindowProcW(window, message, wParam, lParam);
    return form->FrameProc(window, message, wParam, lParam);
}

// Painting, colours and the buttons' notifications, alike for the form and
// the frame. Each container answers its own children, so that a box's
// notifications never travel up to the form.
bool Form::ContainerMessage(HWND container, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_DRAWITEM:
            DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            result = TRUE;
            return true;
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) {
                if (Control* button = FindByWindow(reinterpret_cast<HWND>(lParam))) Click(*button);
            }
            result = 0;
            return true;
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(container, &paint);
            Control* self = FindByWindow(container);
            FillRect(dc, &paint.rcPaint, self ? self->brush : formBrush_);
            EndPaint(container, &paint);
            result = 0;
            return true;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            result = ColourControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
            return true;
    }
    return false;
}

LRESULT CALLBACK Form::TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* form = FormOf(window, message, lParam);
    if (form && message == WM_TIMER) {
        for (Control& timer : form->controls_) {
            if (timer.timerId == wParam) form->Raise(timer.description->name, Event::Timer);
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Form::LabelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* form = FormOf(window, message, lParam);
    Control* label = form ? form->FindByWindow(window) : nullptr;
    if (!label) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_NCPAINT:  // no frame or scroll bar to paint: the border is drawn inside
            return 0;
        case WM_GETOBJECT:
            return AnswerAccessibleObject(window, wParam, lParam, form->FactsOf(*label));
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            form->PaintLabel(*label, dc);
            EndPaint(window, &paint);
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Form::FormProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ContainerMessage(window_, message, wParam, lParam, result)) return result;
    switch (message) {
        case WM_ACTIVATE:
            // Give the focus back to the control that had it, not to the form.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(window_, focus)) focusOnDeactivate_ = focus;
                return 0;
            }
            if (focusOnDeactivate_ && IsWindow(focusOnDeactivate_)) {
                ::SetFocus(focusOnDeactivate_);
                return 0;
            }
            break;
        case WM_SETFOCUS:
            if (focusOnDeactivate_ && IsWindow(focusOnDeactivate_)) ::SetFocus(focusOnDeactivate_);
            return 0;
        case WM_GETICON:
            // The window's icons are its class's. Answered here rather than
            // set on the window too: under Wine each WM_SETICON writes the
            // icon to the display server once more (some 2.5 ms at start).
            return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? bigIcon_ : smallIcon_);
        case WM_SYSCOLORCHANGE:
            Recolour();
            return 0;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETHIGHCONTRAST) Recolour();
            break;
        case WM_CLOSE:
            Unload();
            return 0;
        case WM_DESTROY:
            DestroyWindow(timerWindow_);
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT Form::FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ContainerMessage(frame, message, wParam, lParam, result)) return result;
    if (message == WM_GETOBJECT) {
        if (Control* self = FindByWindow(frame)) return AnswerAccessibleObject(frame, wParam, lParam, FactsOf(*self));
    }
    return DefWindowProcW(frame, message, wParam, lParam);
}

}  // namespace forms
