#include "forms/form.h"

#include "forms/colours.h"
#include "forms/form_control.h"
#include "forms/label_text.h"
#include "forms/layout.h"

namespace forms {

LRESULT Form::ColourControl(HDC dc, HWND window) {
    Control* control = FindByWindow(window);
    if (!control) return 0;
    SetBkColor(dc, ResolveColour(control->description->backColour, COLOR_WINDOW));
    SetTextColor(dc, ResolveColour(control->description->textColour, COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(control->brush);
}

// A label is composed off-screen and copied once, so that a clock that
// rewrites it many times a second never flickers.
void Form::PaintLabel(const Control& label, HDC dc) {
    const ControlDescription& d = *label.description;
    RECT area;
    GetClientRect(label.window, &area);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, area.right, area.bottom);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    FillRect(memory, &area, label.brush);
    RECT inside = area;
    if (d.border == Border::FixedSingle) DrawEdge(memory, &inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    InflateRect(&inside, -1, 0);
    HGDIOBJ oldFont = SelectObject(memory, fonts_->Get(FontOf(description_, d)));
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, ResolveColour(d.textColour, COLOR_BTNTEXT));
    DrawLabelText(memory, label.caption, inside, TextAlignment(d), d.rightToLeft);
    SelectObject(memory, oldFont);
    BitBlt(dc, 0, 0, area.right, area.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void Form::DrawButton(const DRAWITEMSTRUCT& item) {
    Control* button = FindByWindow(item.hwndItem);
    if (!button) return;
    RECT area = item.rcItem;
    FillRect(item.hDC, &area, button->brush);
    DrawEdge(item.hDC, &area, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, ResolveColour(button->description->textColour, COLOR_BTNTEXT));
    DrawTextW(item.hDC, button->caption.c_str(), static_cast<int>(button->caption.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&area, -2, -2);
        DrawFocusRect(item.hDC, &area);
    }
}

}  // namespace forms
