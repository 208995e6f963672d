#pragma once
// The caption's colour settings and the shared state of its painter. One
// window is hooked per process, so both are single module-level records.

#include "platform/win32.h"

#include <cstdint>

// Booleans are 16-bit: true is -1 (all bits set), false is 0, and every test
// is a test for nonzero.
constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

// Written once by Form_Load and only read afterwards; zeros until then.
struct CaptionSchemeRecord {
    int16_t customColors;
    int16_t verticalGradient;
    COLORREF activeTextColor;
    COLORREF inactiveTextColor;
    COLORREF activeStartColor;
    COLORREF activeEndColor;
    COLORREF inactiveStartColor;
    COLORREF inactiveEndColor;
};

struct CaptionPaintStateRecord {
    HWND hookedWindow;      // the window whose message is being processed
    HICON captionIcon;      // its small icon, 0 when it has none
    HDC memoryDC;           // off-screen surface of the running paint cycle
    HBITMAP captionBitmap;  // the picture selected in memoryDC within a paint cycle; 0 outside one
    HDC windowDC;           // the whole window's DC; 0 outside a paint cycle
    HRGN clipRegion;        // what the default frame painting still has to do
    HFONT captionFont;      // the title font, alive only while the title is drawn
    LOGFONTA captionLogFont;  // the system's caption font, captured at start-up
};

// The rows a paint cycle's caption bitmap starts with. A caption that needs
// more (the frame and a caption at 250 % scale and above) gets a bitmap of
// its own height instead, from DrawCaption, which measures it.
constexpr int kCaptionBitmapRows = 50;

extern CaptionSchemeRecord CaptionScheme;
extern CaptionPaintStateRecord CaptionPaintState;

// Style bit of a window whose frame is a dialog frame rather than a sizing one.
constexpr LONG kDialogFrameStyle = 0x80;

// The frame width the caption is measured from, on the left and at the top.
inline int CaptionFrameWidth(LONG style) {
    return GetSystemMetrics((style & kDialogFrameStyle) ? SM_CXDLGFRAME : SM_CXFRAME);
}

// Passes a message on to the window's previous procedure; a window that has
// none on record gets the default handling.
inline LRESULT CallPreviousProc(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return previous ? CallWindowProcA(previous, window, message, wParam, lParam)
                    : DefWindowProcA(window, message, wParam, lParam);
}
