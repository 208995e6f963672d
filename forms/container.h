#pragma once
// What the form and the frame answer alike, as containers of controls: the
// painting of their own surface, the colours of their children, and their
// buttons' drawing and clicks. Each container answers its own children, so
// that a box's notifications never travel up to the form.

#include "platform/win32.h"

namespace forms {

// True when `message` is one a container answers, with its answer in `result`.
bool AnswerAsContainer(HWND container, HBRUSH background, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT& result);

}  // namespace forms
