#include "forms/form.h"

#include "forms/colours.h"
#include "forms/form_control.h"
#include "forms/label_text.h"
#include "forms/layout.h"

namespace forms {

LRESULT Form::ColourControl(HDC dc, HWND window) {
    Control* control = FindByWindow(window);
    if (!control) return 0;
    SetBkColor(dc, control->colours.back);
    SetTextColor(dc, control->colours.text);
    return reinterpret_cast<LRESULT>(control->brush);
}

// A label whose caption has just been replaced (the clock's, every second)
// is composed off-screen and copied once, so that its old text never blinks
// out before the new one shows. Painted for any other reason (its first
// paint, an uncovering) it is drawn straight onto the window, as the
// platform's own controls are: under Wine the off-screen copy of the ten
// labels costs a quarter of a full repaint of the window.
void Form::PaintLabel(Control& label, HDC dc) {
    RECT area;
    GetClientRect(label.window, &area);
    if (!label.captionReplaced) {
        DrawLabel(label, dc, area);
        return;
    }
    label.captionReplaced = false;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, area.right, area.bottom);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    DrawLabel(label, memory, area);
    BitBlt(dc, 0, 0, area.right, area.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void Form::DrawLabel(const Control& label, HDC dc, const RECT& area) {
    const ControlDescription& d = *label.description;
    FillRect(dc, &area, label.brush);
    RECT inside = area;
    if (d.border == Border::FixedSingle) DrawEdge(dc, &inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    HGDIOBJ oldFont = SelectObject(dc, fonts_->Get(FontOf(description_, d)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, label.colours.text);
    DrawLabelText(dc, label.caption, inside, TextAlignment(d), d.rightToLeft);
    SelectObject(dc, oldFont);
}

void Form::DrawButton(const DRAWITEMSTRUCT& item) {
    Control* button = FindByWindow(item.hwndItem);
    if (!button) return;
    RECT area = item.rcItem;
    FillRect(item.hDC, &area, button->brush);
    DrawEdge(item.hDC, &area, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, button->colours.text);
    DrawTextW(item.hDC, button->caption.c_str(), static_cast<int>(button->caption.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&area, -2, -2);
        DrawFocusRect(item.hDC, &area);
    }
}

}  // namespace forms
