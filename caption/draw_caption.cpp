#include "caption/draw_caption.h"

#include "caption/caption_colors.h"
#include "platform/handles.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

constexpr int kTitleBufferLength = 255;
constexpr UINT kTitleFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;

void FillBand(const RECT& band, COLORREF colour) {
    platform::Brush brush(CreateSolidBrush(colour));
    FillRect(CaptionPaintState.memoryDC, &band, brush.Get());
}

// Left to right in bands of W / 8 pixels; the last band reaches lastRight.
// Returns false when the caption is too narrow for a single band.
bool PaintHorizontalGradient(RECT& band, int F, int W, int captionHeight, LONG style, COLORREF startColor,
                             COLORREF endColor) {
    int steps = W / 8;
    if (steps < 1) return false;
    std::vector<COLORREF> ramp(static_cast<size_t>(steps) + 1, 0);
    BuildGradient(ramp, startColor, endColor);
    int lastRight = F + W - 4;
    int dx = W / steps;
    band = RECT{F, F, F + dx, F + captionHeight - 1};
    if (style & kDialogFrameStyle) lastRight = lastRight + 1;
    for (int i = 0; i < steps; ++i) {
        FillBand(band, ramp[static_cast<size_t>(i)]);
        OffsetRect(&band, dx, 0);
        if (i == steps - 2) band.right = lastRight;
    }
    return true;
}

// Top to bottom, one band per row, from near endColor toward startColor.
// Returns false for a caption without rows.
bool PaintVerticalGradient(RECT& band, int F, int W, int captionHeight, LONG style, COLORREF startColor,
                           COLORREF endColor) {
    int steps = captionHeight;
    if (steps < 1) return false;
    std::vector<COLORREF> ramp(static_cast<size_t>(steps) + 1, 0);
    BuildGradient(ramp, endColor, startColor);
    band = RECT{F, F, 2 * F + W, F + captionHeight / steps};
    if (style & kDialogFrameStyle) band.right = 2 * F + W + 2;
    for (int i = 0; i < steps; ++i) {
        FillBand(band, ramp[static_cast<size_t>(i)]);
        OffsetRect(&band, 0, captionHeight / steps);
        band.bottom = F + captionHeight - 1;
    }
    return true;
}

// A caption whose rows reach past the cycle's bitmap gets a bitmap of its
// own height in its place, so that no row is copied from outside the
// picture. Where none can be made or put in, the 50 rows stay and nothing is
// left behind; up to 50 rows nothing is called at all.
void MakeRoomForRows(int windowWidth, int rows) {
    if (rows <= kCaptionBitmapRows) return;
    platform::Bitmap taller(CreateCompatibleBitmap(CaptionPaintState.windowDC, windowWidth, rows));
    if (!taller || !SelectObject(CaptionPaintState.memoryDC, taller.Get())) return;
    DeleteObject(CaptionPaintState.captionBitmap);
    CaptionPaintState.captionBitmap = taller.Take();
}

COLORREF TitleColor(COLORREF startColor, COLORREF endColor) {
    if (CaptionScheme.customColors != 0) {
        return startColor == CaptionScheme.activeStartColor ? CaptionScheme.activeTextColor
                                                            : CaptionScheme.inactiveTextColor;
    }
    return endColor == GetSysColor(COLOR_ACTIVECAPTION) ? GetSysColor(COLOR_CAPTIONTEXT)
                                                        : GetSysColor(COLOR_INACTIVECAPTIONTEXT);
}

// The title in the system's caption font, made for this drawing alone.
void DrawTitle(std::string_view title, RECT& band, COLORREF startColor, COLORREF endColor) {
    HDC memoryDC = CaptionPaintState.memoryDC;
    platform::Font font(CreateFontIndirectA(&CaptionPaintState.captionLogFont));
    CaptionPaintState.captionFont = font.Get();
    {
        platform::Selection selectedFont(memoryDC, CaptionPaintState.captionFont);
        SetBkMode(memoryDC, TRANSPARENT);
        SetTextColor(memoryDC, TitleColor(startColor, endColor));
        DrawTextA(memoryDC, title.data(), static_cast<int>(title.size()), &band, kTitleFormat);
    }
    CaptionPaintState.captionFont = nullptr;
}

// Close, then maximise and minimise to its left, as the style offers them.
void DrawCaptionButtons(int F, int W, int cxSize, int captionHeight, LONG style) {
    if (!(style & WS_SYSMENU)) return;
    UINT maxState = IsZoomed(CaptionPaintState.hookedWindow) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX;
    RECT button;
    button.right = W - 2;
    button.left = button.right - cxSize + 2;
    button.top = F + 2;
    button.bottom = button.top + captionHeight - 5;
    DrawFrameControl(CaptionPaintState.memoryDC, &button, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    OffsetRect(&button, -cxSize, 0);

    bool canMaximize = (style & WS_MAXIMIZEBOX) != 0;
    bool canMinimize = (style & WS_MINIMIZEBOX) != 0;
    if (!canMaximize && !canMinimize) return;
    DrawFrameControl(CaptionPaintState.memoryDC, &button, DFC_CAPTION, canMaximize ? maxState : maxState + DFCS_INACTIVE);
    OffsetRect(&button, 2 - cxSize, 0);
    DrawFrameControl(CaptionPaintState.memoryDC, &button, DFC_CAPTION,
                     canMinimize ? DFCS_CAPTIONMIN : DFCS_INACTIVE + DFCS_CAPTIONMIN);
}

}  // namespace

void DrawCaption(COLORREF startColor, COLORREF endColor) {
    HWND window = CaptionPaintState.hookedWindow;
    HDC memoryDC = CaptionPaintState.memoryDC;

    int cxSize = GetSystemMetrics(SM_CXSIZE);
    RECT windowRect{};
    GetWindowRect(window, &windowRect);
    int windowWidth = windowRect.right - windowRect.left;
    int captionHeight = GetSystemMetrics(SM_CYCAPTION);

    // The window text without its leading spaces; its own trailing spaces stay,
    // those that merely fill the buffer go.
    char titleBuffer[kTitleBufferLength];
    std::fill(titleBuffer, titleBuffer + kTitleBufferLength, ' ');
    GetWindowTextA(window, titleBuffer, kTitleBufferLength);
    std::string_view title(titleBuffer, kTitleBufferLength);
    title.remove_prefix(std::min(title.find_first_not_of(' '), title.size()));
    title.remove_suffix(title.size() - std::min(title.find_last_not_of(' ') + 1, title.size()));
    if (!title.empty() && title.back() == '\0') title.remove_suffix(1);

    LONG style = GetWindowLongA(window, GWL_STYLE);
    int F = CaptionFrameWidth(style);
    int W = windowWidth - F;
    MakeRoomForRows(windowWidth, F + captionHeight);

    RECT band{};
    bool painted = CaptionScheme.verticalGradient != 0
                       ? PaintVerticalGradient(band, F, W, captionHeight, style, startColor, endColor)
                       : PaintHorizontalGradient(band, F, W, captionHeight, style, startColor, endColor);

    band.top = F;
    if (CaptionPaintState.captionIcon) {
        band.left = F + cxSize + 2;
        DrawIconEx(memoryDC, F + 1, F + 1, CaptionPaintState.captionIcon, cxSize - 2, cxSize - 2, 0, nullptr, DI_IMAGE);
    } else {
        band.left = F;
    }

    band.left = band.left + 2;
    band.right = band.right - 10;
    DrawTitle(title, band, startColor, endColor);

    DrawCaptionButtons(F, W, cxSize, captionHeight, style);

    band.left = F;
    band.right = band.right + 12;
    if (CaptionPaintState.windowDC) {
        // A caption too narrow for a gradient band leaves nothing worth copying.
        if (painted) {
            BitBlt(CaptionPaintState.windowDC, band.left, band.top, band.right - band.left - 10, band.bottom - band.top,
                   memoryDC, band.left, band.top, SRCCOPY);
        }
        ExcludeClipRect(CaptionPaintState.windowDC, F, F, W, F + captionHeight - 1);
    }
}
