#include "caption/paint_cycle.h"

#include "caption/caption_colors.h"
#include "caption/draw_caption.h"
#include "platform/handles.h"

#include <new>

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

// The caption composed off-screen in the window's clip and copied to the
// window; the memory DC and its bitmap are gone before the clip moves back.
void ComposeCaption(CaptionMessageGroup group, UINT message, WPARAM wParam, const RECT& windowRect,
                    platform::Region& clipRegion) {
    CaptionPaintStateRecord& state = CaptionPaintState;
    platform::MemoryDc memoryDc(CreateCompatibleDC(state.windowDC));
    state.memoryDC = memoryDc.Get();
    state.captionBitmap =
        CreateCompatibleBitmap(state.windowDC, windowRect.right - windowRect.left, kCaptionBitmapRows);
    {
        platform::Selection selectedBitmap(state.memoryDC, state.captionBitmap);
        clipRegion.Reset(CreateRectRgn(windowRect.left, windowRect.top, windowRect.right, windowRect.bottom));
        state.clipRegion = clipRegion.Get();
        SelectClipRgn(state.windowDC, state.clipRegion);
        OffsetClipRgn(state.windowDC, -windowRect.left, -windowRect.top);

        bool active =
            group == CaptionMessageGroup::Activation ? IsActiveForActivation(message, wParam) : IsActiveForRepaint();
        int32_t activeFlag = active ? -1 : 0;
        COLORREF startColor = 0;
        COLORREF endColor = 0;
        GetCaptionColors(static_cast<int16_t>(activeFlag), startColor, endColor);
        // A caption whose colour ramp cannot be allocated is left to the
        // previous procedure, which then paints the whole frame.
        try {
            DrawCaption(startColor, endColor);
        } catch (const std::bad_alloc&) {
        }
    }
    // Deleted by hand: the bitmap in use may be a taller one DrawCaption put in place of the first.
    DeleteObject(state.captionBitmap);
    state.captionBitmap = nullptr;
}

}  // namespace

LRESULT RunCaptionPaintCycle(CaptionMessageGroup group, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previous) {
    CaptionPaintStateRecord& state = CaptionPaintState;
    RECT windowRect{};
    GetWindowRect(state.hookedWindow, &windowRect);
    // Made after the window DC but deleted after it is released, so held first.
    platform::Region clipRegion;
    platform::WindowDc windowDc(state.hookedWindow);
    state.windowDC = windowDc.Get();
    ComposeCaption(group, message, wParam, windowRect, clipRegion);
    OffsetClipRgn(state.windowDC, windowRect.left, windowRect.top);
    GetClipRgn(state.windowDC, clipRegion.Get());

    LRESULT result = 1;
    if (group == CaptionMessageGroup::Repaint) {
        result = CallPreviousProc(previous, state.hookedWindow, WM_NCPAINT, reinterpret_cast<WPARAM>(clipRegion.Get()),
                                  lParam);
    }
    state.windowDC = nullptr;
    return result;
}

void GetCaptionRect(const HWND& window, RECT& rect) {
    int captionHeight = GetSystemMetrics(SM_CYCAPTION);
    int frameWidth = CaptionFrameWidth(GetWindowLongA(window, GWL_STYLE));
    rect = RECT{frameWidth, frameWidth, frameWidth, captionHeight + frameWidth - 1};
}
