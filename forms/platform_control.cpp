#include "forms/platform_control.h"

#include "forms/window_boundary.h"

namespace forms {

void PlatformControl::ListenForReaders() {
    platformProc_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Window(), GWLP_WNDPROC));
    SetWindowLongPtrW(Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ReaderProc));
}

LRESULT CALLBACK PlatformControl::ReaderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The procedure is put only on windows tied to their control before.
    auto* control = static_cast<PlatformControl*>(Of(window));
    if (!control) return DefWindowProcW(window, message, wParam, lParam);
    auto platform = [&] { return CallWindowProcW(control->platformProc_, window, message, wParam, lParam); };
    if (message != WM_GETOBJECT) return platform();
    return WithinBoundary(
        [&] {
            LRESULT answer = AnswerAccessibleObject(window, wParam, lParam, control->Facts());
            return answer ? answer : platform();
        },
        platform);
}

}  // namespace forms
