#include "forms/text_box.h"

#include "forms/window_boundary.h"

#include <algorithm>

namespace forms {
namespace {

// No number a box could take is written longer, with all its marks.
constexpr size_t kLongestPaste = 256;

// The clipboard's text, or nothing where it holds none or more than a
// number would be.
std::optional<std::u16string> ClipboardText(HWND owner) {
    if (!OpenClipboard(owner)) return std::nullopt;
    std::optional<std::u16string> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* characters = static_cast<const wchar_t*>(GlobalLock(data))) {
            size_t capacity = GlobalSize(data) / sizeof(wchar_t);
            size_t length = std::find(characters, characters + capacity, L'\0') - characters;
            if (length <= kLongestPaste) text = std::u16string(characters, characters + length);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace

bool TextBox::Create(HINSTANCE instance, HWND container) {
    const ControlDescription& d = Description();
    UINT alignment = TextAlignment(d);
    DWORD style = WS_TABSTOP | ES_AUTOHSCROLL | (d.readOnly ? ES_READONLY : 0) |
                  (alignment == DT_RIGHT ? ES_RIGHT : alignment == DT_CENTER ? ES_CENTER : 0);
    DWORD exStyle = (d.border == Border::None ? 0 : WS_EX_CLIENTEDGE) | (d.rightToLeft ? WS_EX_RTLREADING : 0);
    if (!CreateChild(instance, container, exStyle, L"EDIT", style)) return false;
    if (d.maxLength > 0) SendMessageW(Window(), EM_SETLIMITTEXT, d.maxLength, 0);
    TakeMessagesFirst();
    return true;
}

void TextBox::SelectAll() const { SendMessageW(Window(), EM_SETSEL, 0, -1); }

void TextBox::AddKindFacts(AccessibleFacts& facts) const {
    facts.role = ROLE_SYSTEM_TEXT;
    facts.valueIsText = true;
    if (Description().readOnly) facts.addedStates = STATE_SYSTEM_READONLY;
}

bool TextBox::Answer(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    bool byRule = Description().pasteRule && !Description().readOnly;
    switch (message) {
        case WM_IME_CHAR: {
            // An input method's character passes the form's key preview and
            // the box's key handler, as a typed one does, and then enters as
            // one: the edit box would take it unfiltered, or post it as a
            // WM_CHAR that the handlers would see twice.
            int16_t code = static_cast<int16_t>(wParam);
            result = host_.FilterCharacter(Window(), code)
                         ? CallPlatform(WM_CHAR, static_cast<WPARAM>(static_cast<uint16_t>(code)), lParam)
                         : 0;
            return true;
        }
        case WM_KEYDOWN:
            // Shift+Insert pastes inside the edit box without a WM_PASTE.
            if (!byRule || wParam != VK_INSERT || GetKeyState(VK_SHIFT) >= 0 || GetKeyState(VK_CONTROL) < 0) {
                return false;
            }
            PasteByRule();
            return true;
        case WM_PASTE:
            if (!byRule) return false;
            PasteByRule();
            return true;
        default:
            return false;
    }
}

void TextBox::PasteByRule() const {
    // Nothing unfiltered may enter: a paste that fails is no paste.
    WithinBoundary(
        [&]() -> LRESULT {
            std::optional<std::u16string> pasted = ClipboardText(Window());
            std::optional<std::u16string> entered = pasted ? Description().pasteRule(*pasted) : std::nullopt;
            if (!entered) return 0;
            DWORD start = 0;
            DWORD end = 0;
            SendMessageW(Window(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            size_t length = static_cast<size_t>(std::max(0, GetWindowTextLengthW(Window())));
            size_t selected = end > start ? end - start : 0;
            size_t kept = length > selected ? length - selected : 0;
            size_t limit = static_cast<size_t>(SendMessageW(Window(), EM_GETLIMITTEXT, 0, 0));
            entered->resize(std::min(entered->size(), limit > kept ? limit - kept : 0));
            if (entered->empty()) return 0;
            std::wstring text(entered->begin(), entered->end());
            SendMessageW(Window(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
            return 0;
        },
        [] { return LRESULT{0}; });
}

}  // namespace forms
