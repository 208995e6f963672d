#include "caption/paint_cycle.h"

#include "caption/caption_colors.h"
#include "caption/draw_caption.h"

namespace {

// Whether the MDI parent names this window as its active child.
bool IsActiveMdiChild(HWND parent) {
    int32_t maximizedScratch = 0;
    return SendMessageA(parent, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximizedScratch)) ==
           reinterpret_cast<LRESULT>(CaptionPaintState.hookedWindow);
}

bool IsActiveForActivation(UINT message, WPARAM wParam) {
    HWND window = CaptionPaintState.hookedWindow;
    HWND parent = GetParent(window);
    if (parent && message == WM_KILLFOCUS) return false;
    if (!parent && message == WM_NCACTIVATE) return wParam != 0;
    if (parent && reinterpret_cast<HWND>(wParam) == window) return false;
    if (parent && IsActiveMdiChild(parent)) return true;
    return GetActiveWindow() == window;
}

bool IsActiveForRepaint() {
    HWND window = CaptionPaintState.hookedWindow;
    if (GetActiveWindow() == window) return true;
    HWND parent = GetParent(window);
    return parent && IsActiveMdiChild(parent);
}

}  // namespace

LRESULT RunCaptionPaintCycle(CaptionMessageGroup group, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previous) {
    CaptionPaintStateRecord& state = CaptionPaintState;
    RECT windowRect{};
    GetWindowRect(state.hookedWindow, &windowRect);
    state.windowDC = GetWindowDC(state.hookedWindow);
    state.memoryDC = CreateCompatibleDC(state.windowDC);
    state.captionBitmap =
        CreateCompatibleBitmap(state.windowDC, windowRect.right - windowRect.left, kCaptionBitmapRows);
    HGDIOBJ previousBitmap = SelectObject(state.memoryDC, state.captionBitmap);
    state.clipRegion = CreateRectRgn(windowRect.left, windowRect.top, windowRect.right, windowRect.bottom);
    SelectClipRgn(state.windowDC, state.clipRegion);
    OffsetClipRgn(state.windowDC, -windowRect.left, -windowRect.top);

    bool active = group == CaptionMessageGroup::Activation ? IsActiveForActivation(message, wParam) : IsActiveForRepaint();
    int32_t activeFlag = active ? -1 : 0;
    COLORREF startColor = 0;
    COLORREF endColor = 0;
    GetCaptionColors(static_cast<int16_t>(activeFlag), startColor, endColor);
    // A caption that cannot be drawn (its colour ramp not allocated) is left
    // to the previous procedure, which then paints the whole frame; the cycle
    // still releases all it holds.
    try {
        DrawCaption(startColor, endColor);
    } catch (...) {
    }

    SelectObject(state.memoryDC, previousBitmap);
    DeleteObject(state.captionBitmap);
    state.captionBitmap = nullptr;
    DeleteDC(state.memoryDC);
    OffsetClipRgn(state.windowDC, windowRect.left, windowRect.top);
    GetClipRgn(state.windowDC, state.clipRegion);

    LRESULT result = 1;
    if (group == CaptionMessageGroup::Repaint) {
        result = CallPreviousProc(previous, state.hookedWindow, WM_NCPAINT, reinterpret_cast<WPARAM>(state.clipRegion),
                                  lParam);
    }
    ReleaseDC(state.hookedWindow, state.windowDC);
    DeleteObject(state.clipRegion);
    state.windowDC = nullptr;
    return result;
}

void GetCaptionRect(const HWND& window, RECT& rect) {
    int captionHeight = GetSystemMetrics(SM_CYCAPTION);
    int frameWidth = CaptionFrameWidth(GetWindowLongA(window, GWL_STYLE));
    rect = RECT{frameWidth, frameWidth, frameWidth, captionHeight + frameWidth - 1};
}
