#include "caption/caption_hook.h"

#include "caption/caption_state.h"
#include "caption/paint_cycle.h"

namespace {

// True only while the WM_GETICON query below is outstanding, so that the
// nested call it causes passes the query on instead of asking again.
int16_t iconQueryBusy = kFalse;

constexpr int kFirstSizingCode = 10;  // HTLEFT
constexpr int kLastSizingCode = 17;   // HTBOTTOMRIGHT

// Sizing cursors for hit-test codes HTLEFT (10) to HTBOTTOMRIGHT (17).
constexpr uint16_t kSizingCursors[] = {
    32644, 32644,  // HTLEFT, HTRIGHT: IDC_SIZEWE
    32645,         // HTTOP: IDC_SIZENS
    32642,         // HTTOPLEFT: IDC_SIZENWSE
    32643,         // HTTOPRIGHT: IDC_SIZENESW
    32645,         // HTBOTTOM: IDC_SIZENS
    32643,         // HTBOTTOMLEFT: IDC_SIZENESW
    32642,         // HTBOTTOMRIGHT: IDC_SIZENWSE
};

bool IsPassedOnAfterRepaint(UINT message, WPARAM wParam) {
    return (message == WM_NCLBUTTONDOWN && wParam != HTCAPTION && wParam != HTSYSMENU) ||
           (message == WM_SYSCOMMAND && wParam != SC_MOUSEMENU);
}

// What follows the paint cycle of a repaint-group message.
LRESULT RepaintTail(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT forwardResult) {
    if (IsPassedOnAfterRepaint(message, wParam)) return CallPreviousProc(previous, window, message, wParam, lParam);
    if (message == WM_NCLBUTTONDOWN && wParam == HTCAPTION && !IsZoomed(CaptionPaintState.hookedWindow)) {
        return SendMessageA(CaptionPaintState.hookedWindow, WM_SYSCOMMAND, SC_MOVE, 0);
    }
    return forwardResult;
}

LRESULT HookedMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previous) {
    if (iconQueryBusy == kFalse) {
        iconQueryBusy = kTrue;
        CaptionPaintState.captionIcon =
            reinterpret_cast<HICON>(SendMessageA(CaptionPaintState.hookedWindow, WM_GETICON, ICON_SMALL, 0));
        iconQueryBusy = kFalse;
    }

    switch (message) {
        case WM_SIZE: {
            int32_t noRegion = 0;
            SendMessageA(CaptionPaintState.hookedWindow, WM_NCPAINT, 0, reinterpret_cast<LPARAM>(&noRegion));
            return CallPreviousProc(previous, window, message, wParam, lParam);
        }
        case WM_KILLFOCUS:
        case WM_MOUSEACTIVATE:
        case WM_NCACTIVATE:
        case WM_MDIACTIVATE:
            return RunCaptionPaintCycle(CaptionMessageGroup::Activation, message, wParam, lParam, previous);
        case WM_SETTEXT:
        case WM_NCPAINT:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_SYSCOMMAND:
        case WM_INITMENUPOPUP: {
            LRESULT forwardResult =
                RunCaptionPaintCycle(CaptionMessageGroup::Repaint, message, wParam, lParam, previous);
            return RepaintTail(previous, window, message, wParam, lParam, forwardResult);
        }
        case WM_SETCURSOR: {
            int16_t hitTest = LoWord(static_cast<int32_t>(lParam));
            if (hitTest >= kFirstSizingCode && hitTest <= kLastSizingCode) {
                SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(kSizingCursors[hitTest - kFirstSizingCode])));
                return 1;
            }
            return CallPreviousProc(previous, window, message, wParam, lParam);
        }
        default:
            return CallPreviousProc(previous, window, message, wParam, lParam);
    }
}

}  // namespace

int16_t LoWord(const int32_t& value) { return static_cast<int16_t>(value & 0xFFFF); }

LRESULT CALLBACK CaptionWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CaptionPaintState.hookedWindow = window;
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(CaptionPaintState.hookedWindow, kPreviousProcProperty));
    // Nothing thrown may reach the platform: the message goes on to the
    // previous procedure as if the caption were not hooked.
    try {
        return HookedMessage(window, message, wParam, lParam, previous);
    } catch (...) {
        return CallPreviousProc(previous, window, message, wParam, lParam);
    }
}
