#include "forms/frame.h"

#include "forms/container.h"
#include "forms/window_boundary.h"
#include "forms/window_classes.h"

namespace forms {

bool Frame::RegisterClass(HINSTANCE instance) { return RegisterWindowClass(instance, kFrameClass, WindowProc); }

bool Frame::Create(HINSTANCE instance, HWND container) {
    return CreateChild(instance, container, WS_EX_CONTROLPARENT, kFrameClass, WS_CLIPCHILDREN);
}

void Frame::AddKindFacts(AccessibleFacts& facts) const { facts.role = ROLE_SYSTEM_GROUPING; }

LRESULT CALLBACK Frame::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* frame = static_cast<Frame*>(Of(window));
    auto platform = [&] { return DefWindowProcW(window, message, wParam, lParam); };
    if (!frame) return platform();
    return WithinBoundary(
        [&] {
            LRESULT result = 0;
            if (AnswerAsContainer(window, frame->Brush(), message, wParam, lParam, result)) return result;
            if (message == WM_GETOBJECT) return AnswerAccessibleObject(window, wParam, lParam, frame->Facts());
            return platform();
        },
        platform);
}

}  // namespace forms
