#include "forms/text_box.h"

#include <oleacc.h>

namespace forms {

bool TextBox::Create(HINSTANCE instance, HWND container) {
    const ControlDescription& d = Description();
    UINT alignment = TextAlignment(d);
    DWORD style = WS_TABSTOP | ES_AUTOHSCROLL | (d.readOnly ? ES_READONLY : 0) |
                  (alignment == DT_RIGHT ? ES_RIGHT : alignment == DT_CENTER ? ES_CENTER : 0);
    DWORD exStyle = (d.border == Border::None ? 0 : WS_EX_CLIENTEDGE) | (d.rightToLeft ? WS_EX_RTLREADING : 0);
    if (!CreateChild(instance, container, exStyle, L"EDIT", style)) return false;
    if (d.maxLength > 0) SendMessageW(Window(), EM_SETLIMITTEXT, d.maxLength, 0);
    ListenForReaders();
    return true;
}

void TextBox::SelectAll() const { SendMessageW(Window(), EM_SETSEL, 0, -1); }

void TextBox::AddKindFacts(AccessibleFacts& facts) const {
    facts.role = ROLE_SYSTEM_TEXT;
    facts.valueIsText = true;
    if (Description().readOnly) facts.addedStates = STATE_SYSTEM_READONLY;
}

}  // namespace forms
