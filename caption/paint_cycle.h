#pragma once
// One run of the non-client paint cycle: window DC, an off-screen bitmap as
// wide as the window and 50 rows high (taller where the caption needs it), a
// clip region over the whole window,
// the caption drawn in its active or inactive colours, and everything
// released again before the cycle ends.

#include "platform/win32.h"

enum class CaptionMessageGroup {
    Activation,  // WM_KILLFOCUS, WM_MOUSEACTIVATE, WM_NCACTIVATE, WM_MDIACTIVATE
    Repaint,     // WM_SETTEXT, WM_NCPAINT, WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_SYSCOMMAND, WM_INITMENUPOPUP
};

// Runs the cycle for a message of `group`. For the repaint group the frame
// outside the caption is handed to `previous` as WM_NCPAINT with the cycle's
// region while the window DC is still held, and that call's result is
// returned; the activation group returns 1.
LRESULT RunCaptionPaintCycle(CaptionMessageGroup group, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previous);

// The caption's top-left corner as a rectangle of zero width: left = top =
// right = the frame width, bottom = caption height + frame width - 1.
void GetCaptionRect(const HWND& window, RECT& rect);
