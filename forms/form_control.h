#pragma once
// What the runtime keeps of each control while its form lives, and the
// window style it builds the form with: shared by the form's parts.

#include "forms/colours.h"
#include "forms/form.h"
#include "forms/window_classes.h"

#include <windows.h>

#include <string>

namespace forms {

struct Form::Control {
    const ControlDescription* description = nullptr;
    HWND window = nullptr;  // every control but a timer
    ColourPair colours{};  // as the colour scheme stands
    HBRUSH brush = nullptr;  // of colours.back
    std::wstring caption;   // labels and buttons: what they show
    bool captionReplaced = false;  // a label's, since its last paint
    UINT_PTR timerId = 0;
};

// A fixed single border: caption and close button, not resizable. The low
// bit 0x80 marks the frame as a dialog frame for code that measures it (the
// painted caption takes its width from SM_CXDLGFRAME then, which is the
// frame's real width); the window manager ignores it on a top-level window.
constexpr DWORD kFixedFrameMark = 0x80;
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | kFixedFrameMark;

}  // namespace forms
