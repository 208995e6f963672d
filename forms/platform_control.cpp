#include "forms/platform_control.h"

#include "forms/window_boundary.h"

namespace forms {

void PlatformControl::TakeMessagesFirst() {
    platformProc_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Window(), GWLP_WNDPROC));
    SetWindowLongPtrW(Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc));
}

bool PlatformControl::Answer(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT PlatformControl::CallPlatform(UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcW(platformProc_, Window(), message, wParam, lParam);
}

LRESULT CALLBACK PlatformControl::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The procedure is put only on windows tied to their control before.
    auto* control = static_cast<PlatformControl*>(Of(window));
    if (!control) return DefWindowProcW(window, message, wParam, lParam);
    auto platform = [&] { return control->CallPlatform(message, wParam, lParam); };
    return WithinBoundary(
        [&] {
            if (message == WM_GETOBJECT) {
                LRESULT answer = AnswerAccessibleObject(window, wParam, lParam, control->Facts());
                return answer ? answer : platform();
            }
            LRESULT result = 0;
            return control->Answer(message, wParam, lParam, result) ? result : platform();
        },
        platform);
}

}  // namespace forms
