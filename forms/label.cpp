#include "forms/label.h"

#include "forms/gdi_scope.h"
#include "forms/label_text.h"
#include "forms/window_boundary.h"
#include "forms/window_classes.h"

namespace forms {

Label::Label(ControlHost& host, const ControlDescription& description) : Control(host, description) {
    if (description.caption) caption_ = description.caption;
}

bool Label::RegisterClass(HINSTANCE instance) { return RegisterWindowClass(instance, kLabelClass, WindowProc); }

bool Label::Create(HINSTANCE instance, HWND container) {
    return CreateChild(instance, container, 0, kLabelClass, 0);
}

void Label::SetCaption(const std::wstring& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    captionReplaced_ = true;
    SetWindowTextW(Window(), caption.c_str());
    InvalidateRect(Window(), nullptr, FALSE);
}

void Label::AddKindFacts(AccessibleFacts& facts) const { facts.role = ROLE_SYSTEM_STATICTEXT; }

LRESULT CALLBACK Label::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* label = static_cast<Label*>(Of(window));
    auto platform = [&] { return DefWindowProcW(window, message, wParam, lParam); };
    if (!label) return platform();
    return WithinBoundary(
        [&]() -> LRESULT {
            switch (message) {
                case WM_NCPAINT:  // no frame or scroll bar to paint: the border is drawn inside
                    return 0;
                case WM_GETOBJECT:
                    return AnswerAccessibleObject(window, wParam, lParam, label->Facts());
                case WM_ERASEBKGND:
                    return 1;
                case WM_PAINT: {
                    PaintScope paint(window);
                    label->Paint(paint.Dc());
                    return 0;
                }
            }
            return platform();
        },
        platform);
}

// A label whose caption has just been replaced is composed off-screen and
// copied once, so that its old text never blinks out before the new one
// shows. Painted for any other reason (its first paint, an uncovering) it is
// drawn straight onto the window, as the platform's own controls are: under
// Wine the off-screen copy of the ten labels costs a quarter of a full
// repaint of the window.
void Label::Paint(HDC dc) {
    RECT area;
    GetClientRect(Window(), &area);
    if (!captionReplaced_) {
        Draw(dc, area);
        return;
    }
    captionReplaced_ = false;
    OffScreen composed(dc, area.right, area.bottom);
    Draw(composed.Dc(), area);
    BitBlt(dc, 0, 0, area.right, area.bottom, composed.Dc(), 0, 0, SRCCOPY);
}

void Label::Draw(HDC dc, const RECT& area) const {
    const ControlDescription& d = Description();
    FillRect(dc, &area, Brush());
    RECT inside = area;
    if (d.border == Border::FixedSingle) DrawEdge(dc, &inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    platform::Selection font(dc, host_.Font(d));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TextColour());
    DrawLabelText(dc, caption_, inside, TextAlignment(d), d.rightToLeft);
}

}  // namespace forms
