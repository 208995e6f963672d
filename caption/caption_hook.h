#pragma once
// The replacement window procedure that paints the caption. HookCaption puts
// it in place of the form's own procedure, which it keeps in the window
// property "OldMeProc"; UnhookCaption puts the form's procedure back.

#include "platform/win32.h"

#include <cstdint>

constexpr char kPreviousProcProperty[] = "OldMeProc";

LRESULT CALLBACK CaptionWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The low 16 bits of a 32-bit value, signed: 0x8000 to 0xFFFF give -32768 to -1.
int16_t LoWord(const int32_t& value);

// Any form with an hWnd() accessor: the forms runtime's, or a test's.
template <typename Form>
void HookCaption(Form& form) {
    LONG_PTR previous = SetWindowLongPtrA(form.hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CaptionWindowProc));
    SetPropA(form.hWnd(), kPreviousProcProperty, reinterpret_cast<HANDLE>(previous));
}

template <typename Form>
void UnhookCaption(Form& form) {
    HANDLE previous = GetPropA(form.hWnd(), kPreviousProcProperty);
    RemovePropA(form.hWnd(), kPreviousProcProperty);
    if (previous) SetWindowLongPtrA(form.hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
}
