#include "forms/command_button.h"

#include <cwchar>

namespace forms {

bool CommandButton::Create(HINSTANCE instance, HWND container) {
    if (!CreateChild(instance, container, 0, L"BUTTON", WS_TABSTOP | BS_OWNERDRAW)) return false;
    TakeMessagesFirst();
    return true;
}

void CommandButton::Draw(const DRAWITEMSTRUCT& item) const {
    RECT area = item.rcItem;
    FillRect(item.hDC, &area, Brush());
    DrawEdge(item.hDC, &area, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, TextColour());
    const wchar_t* caption = Description().caption ? Description().caption : L"";
    DrawTextW(item.hDC, caption, static_cast<int>(std::wcslen(caption)), &area,
              DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&area, -2, -2);
        DrawFocusRect(item.hDC, &area);
    }
}

void CommandButton::AddKindFacts(AccessibleFacts& facts) const {
    facts.role = ROLE_SYSTEM_PUSHBUTTON;
    facts.defaultAction = L"Press";
}

}  // namespace forms
