// A text box as the runtime makes it from its description, and what it
// answers itself: an input method's characters, and a paste (Shift+Insert or
// WM_PASTE) read from the clipboard and entered by the box's paste rule in
// place of the selection, within the box's limit. Form1's b, described
// otherwise case by case.

#include "form_test_support.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string_view>

namespace {

using forms::Alignment;
using forms::Border;
using forms::ControlDescription;
using forms::Form;
using forms::PasteRule;

long long H(const void* handle) { return static_cast<long long>(reinterpret_cast<uintptr_t>(handle)); }

std::optional<std::u16string> AsPasted(std::u16string_view pasted) { return std::u16string(pasted); }
std::optional<std::u16string> Refused(std::u16string_view) { return std::nullopt; }
std::optional<std::u16string> NothingKept(std::u16string_view) { return std::u16string(); }

void DropAll(int16_t& code) { code = 0; }

// Form1 with b described as a case has it; the form keeps a reference to
// the description, which the fixture holds.
class BoxTest : public FormTest {
protected:
    const forms::FormDescription& WithB(const ControlDescription& b) {
        controls_.assign(kForm1.controls, kForm1.controls + kForm1.controlCount);
        controls_[form1::b.index] = b;
        description_ = kForm1;
        description_.controls = controls_.data();
        return description_;
    }

    static ControlDescription B() { return kForm1.controls[form1::b.index]; }

    // What b's own procedure was handed of the given messages.
    static std::vector<UINT> PlatformSaw(HWND box, std::vector<UINT> wanted) {
        std::vector<UINT> seen;
        for (const fake::Message& m : fake::WindowOf(box).seenByOwnProcedure) {
            if (std::find(wanted.begin(), wanted.end(), m.message) != wanted.end()) seen.push_back(m.message);
        }
        return seen;
    }

    // The box's messages of that kind sent through SendMessageW, as logged.
    static std::vector<std::vector<long long>> Sent(HWND box, UINT message) {
        std::vector<std::vector<long long>> sent;
        for (const fake::Call& call : fake::CallsNamed("SendMessageW")) {
            if (call.args[0] == H(box) && call.args[1] == message) sent.push_back(call.args);
        }
        return sent;
    }

private:
    std::vector<ControlDescription> controls_;
    forms::FormDescription description_{};
};

// ---- Creation ---------------------------------------------------------------

struct MadeCase {
    const char* name;
    friend void PrintTo(const MadeCase& c, std::ostream* out) { *out << c.name; }
    Alignment alignment;
    bool rightToLeft;
    Border border;
    bool readOnly;
    int maxLength;
    DWORD style;  // besides WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | ES_AUTOHSCROLL
    DWORD exStyle;
    std::optional<long long> limit;  // what EM_SETLIMITTEXT is sent, if it is
};

class MadeBox : public BoxTest, public testing::WithParamInterface<MadeCase> {};

// The alignment (the reading order's leading edge by default), read-only
// state, border and reading order become the edit box's styles; only a
// positive length is set as its limit, else the platform's stays.
TEST_P(MadeBox, TakesItsStylesAndLimitFromTheDescription) {
    const MadeCase& c = GetParam();
    ControlDescription b = B();
    b.alignment = c.alignment;
    b.rightToLeft = c.rightToLeft;
    b.border = c.border;
    b.readOnly = c.readOnly;
    b.maxLength = c.maxLength;
    Form form(WithB(b));
    RunWith(form, {});
    HWND box = form[form1::b].Window();
    const fake::Window& w = fake::WindowOf(box);
    EXPECT_EQ(static_cast<DWORD>(w.style),
              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | ES_AUTOHSCROLL | c.style);
    EXPECT_EQ(w.exStyle, c.exStyle);
    std::vector<std::vector<long long>> expected;
    if (c.limit) expected.push_back({H(box), EM_SETLIMITTEXT, *c.limit, 0});
    EXPECT_EQ(Sent(box, EM_SETLIMITTEXT), expected);
}

constexpr DWORD kSunken = WS_EX_CLIENTEDGE;
constexpr DWORD kRtl = WS_EX_RTLREADING;

INSTANTIATE_TEST_SUITE_P(
    Cases, MadeBox,
    testing::Values(
        MadeCase{"left", Alignment::Left, true, Border::FixedSingle, false, 8, 0, kSunken | kRtl, 8},
        MadeCase{"centred", Alignment::Center, false, Border::None, true, 0, ES_CENTER | ES_READONLY, 0, {}},
        MadeCase{"right", Alignment::Right, false, Border::FixedSingle, false, 1, ES_RIGHT, kSunken, 1},
        MadeCase{"leading_edge_right_to_left", Alignment::Default, true, Border::None, false, 30, ES_RIGHT, kRtl, 30},
        MadeCase{"leading_edge_left_to_right", Alignment::Default, false, Border::None, true, -1, ES_READONLY, 0, {}}),
    [](const testing::TestParamInfo<MadeCase>& test) { return test.param.name; });

// ---- An input method's character --------------------------------------------

struct ImeCase {
    const char* name;
    friend void PrintTo(const ImeCase& c, std::ostream* out) { *out << c.name; }
    PasteRule rule;
    bool readOnly;
    forms::CodeEvent::Function handler;
    std::vector<UINT> platformSaw;  // of WM_CHAR and WM_IME_CHAR
};

class ImeCharacter : public BoxTest, public testing::WithParamInterface<ImeCase> {};

// Whatever the box's paste rule, the character the handlers leave reaches
// the edit box once, as a WM_CHAR with the input method's key data; one they
// drop reaches it not at all, and is answered 0.
TEST_P(ImeCharacter, EntersOnceAsATypedCharacter) {
    const ImeCase& c = GetParam();
    ControlDescription b = B();
    b.pasteRule = c.rule;
    b.readOnly = c.readOnly;
    Form form(WithB(b));
    form[form1::b].onKeyPress = c.handler;
    HWND box = nullptr;
    LRESULT answer = -1;
    RunWith(form, {[&] {
                box = form[form1::b].Window();
                answer = SendMessageW(box, WM_IME_CHAR, L'7', 0x1E0001);
            }});
    EXPECT_EQ(PlatformSaw(box, {WM_CHAR, WM_IME_CHAR}), c.platformSaw);
    EXPECT_EQ(answer, 0);
    for (const fake::Message& m : fake::WindowOf(box).seenByOwnProcedure) {
        if (m.message == WM_CHAR) {
            EXPECT_EQ(m.lParam, 0x1E0001);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImeCharacter,
    testing::Values(ImeCase{"with_a_rule", AsPasted, false, nullptr, {WM_CHAR}},
                    ImeCase{"without_a_rule", nullptr, false, nullptr, {WM_CHAR}},
                    ImeCase{"read_only", AsPasted, true, nullptr, {WM_CHAR}},
                    ImeCase{"dropped", AsPasted, false, DropAll, {}},
                    ImeCase{"dropped_without_a_rule", nullptr, false, DropAll, {}}),
    [](const testing::TestParamInfo<ImeCase>& test) { return test.param.name; });

// ---- Which keys and messages paste by the rule ------------------------------

struct TriggerCase {
    const char* name;
    friend void PrintTo(const TriggerCase& c, std::ostream* out) { *out << c.name; }
    UINT message;  // WM_KEYDOWN with `key`, or WM_PASTE
    int key;
    SHORT shift, control;  // GetKeyState's answers
    PasteRule rule;
    bool readOnly;
    bool byRule;  // else the edit box is handed the message, and the clipboard is left alone
};

class PasteTrigger : public BoxTest, public testing::WithParamInterface<TriggerCase> {};

// Shift+Insert (Ctrl up) and WM_PASTE paste by the rule of an editable box
// that has one, without the edit box seeing them (it would paste unfiltered);
// any other key, or a box without a rule or read-only, is the platform's.
TEST_P(PasteTrigger, PastesByTheRuleOnlyForShiftInsertOrAPasteIntoAnEditableBoxWithARule) {
    const TriggerCase& c = GetParam();
    fake::script().clipboard = u"12";
    fake::script().keyStates[VK_SHIFT] = c.shift;
    fake::script().keyStates[VK_CONTROL] = c.control;
    ControlDescription b = B();
    b.pasteRule = c.rule;
    b.readOnly = c.readOnly;
    Form form(WithB(b));
    HWND box = nullptr;
    RunWith(form, {[&] {
                box = form[form1::b].Window();
                SendMessageW(box, c.message, static_cast<WPARAM>(c.key), 0);
            }});
    EXPECT_EQ(fake::WindowOf(box).wideText, c.byRule ? L"12" : L"");
    EXPECT_EQ(PlatformSaw(box, {c.message}), c.byRule ? std::vector<UINT>{} : std::vector<UINT>{c.message});
    EXPECT_EQ(fake::CallsNamed("OpenClipboard").size(), c.byRule ? 1u : 0u);
}

constexpr SHORT kUp = 0;
constexpr SHORT kDown = fake::kKeyDown;
constexpr SHORT kDownToggled = fake::kKeyDown | fake::kKeyToggled;
constexpr SHORT kUpToggled = fake::kKeyToggled;
// The keys beside Insert in the platform's numbering, Home below it and Delete above.
constexpr int kHome = 0x24;
constexpr int kDelete = 0x2E;

INSTANTIATE_TEST_SUITE_P(
    Cases, PasteTrigger,
    testing::Values(TriggerCase{"shift_insert", WM_KEYDOWN, VK_INSERT, kDown, kUp, AsPasted, false, true},
                    TriggerCase{"toggled_keys_down_and_up", WM_KEYDOWN, VK_INSERT, kDownToggled, kUpToggled,
                                AsPasted, false, true},
                    TriggerCase{"insert_alone", WM_KEYDOWN, VK_INSERT, kUp, kUp, AsPasted, false, false},
                    TriggerCase{"shift_toggled_but_up", WM_KEYDOWN, VK_INSERT, kUpToggled, kUp, AsPasted, false,
                                false},
                    TriggerCase{"ctrl_shift_insert", WM_KEYDOWN, VK_INSERT, kDown, kDown, AsPasted, false, false},
                    TriggerCase{"shift_delete", WM_KEYDOWN, kDelete, kDown, kUp, AsPasted, false, false},
                    TriggerCase{"shift_home", WM_KEYDOWN, kHome, kDown, kUp, AsPasted, false, false},
                    TriggerCase{"shift_insert_without_a_rule", WM_KEYDOWN, VK_INSERT, kDown, kUp, nullptr, false,
                                false},
                    TriggerCase{"shift_insert_read_only", WM_KEYDOWN, VK_INSERT, kDown, kUp, AsPasted, true, false},
                    TriggerCase{"paste", WM_PASTE, 0, kUp, kUp, AsPasted, false, true},
                    TriggerCase{"paste_without_a_rule", WM_PASTE, 0, kUp, kUp, nullptr, false, false},
                    TriggerCase{"paste_read_only", WM_PASTE, 0, kUp, kUp, AsPasted, true, false}),
    [](const testing::TestParamInfo<TriggerCase>& test) { return test.param.name; });

// ---- The clipboard's text ---------------------------------------------------

struct ClipboardCase {
    const char* name;
    friend void PrintTo(const ClipboardCase& c, std::ostream* out) { *out << c.name; }
    bool opens;
    bool hasText;
    std::u16string text;
    std::u16string pastItsBlock;
    std::wstring entered;
    std::vector<std::string> calls;
};

class ClipboardRead : public BoxTest, public testing::WithParamInterface<ClipboardCase> {};

const std::vector<std::string> kOpened{"OpenClipboard", "GetClipboardData", "CloseClipboard"};
const std::vector<std::string> kRead{"OpenClipboard", "GetClipboardData", "GlobalLock", "GlobalUnlock",
                                     "CloseClipboard"};

// The box opens the clipboard as its owner and takes its Unicode text up to
// the terminating zero or the block's end, whichever comes first, and none
// longer than a number is written; what it locks it unlocks, and what it
// opens it closes.
TEST_P(ClipboardRead, TakesTheUnicodeTextWithinItsBlockAndReleasesTheClipboard) {
    const ClipboardCase& c = GetParam();
    fake::script().clipboardOpens = c.opens;
    fake::script().clipboardHasText = c.hasText;
    fake::script().clipboard = c.text;
    fake::script().clipboardPastItsBlock = c.pastItsBlock;
    ControlDescription b = B();
    b.pasteRule = AsPasted;
    b.maxLength = 0;
    Form form(WithB(b));
    HWND box = nullptr;
    RunWith(form, {[&] {
                box = form[form1::b].Window();
                fake::ClearCalls();
                SendMessageW(box, WM_PASTE, 0, 0);
            }});
    EXPECT_EQ(fake::WindowOf(box).wideText, c.entered);
    EXPECT_EQ(CallNamesAmong({"OpenClipboard", "GetClipboardData", "GlobalLock", "GlobalUnlock", "CloseClipboard"}),
              c.calls);
    EXPECT_EQ(fake::CallsNamed("OpenClipboard")[0].args, std::vector<long long>{H(box)});
    for (const fake::Call& asked : fake::CallsNamed("GetClipboardData")) {
        EXPECT_EQ(asked.args, std::vector<long long>{CF_UNICODETEXT});
    }
    auto locked = fake::CallsNamed("GlobalLock");
    auto unlocked = fake::CallsNamed("GlobalUnlock");
    ASSERT_EQ(locked.size(), unlocked.size());
    for (size_t i = 0; i < locked.size(); ++i) EXPECT_EQ(unlocked[i].args, locked[i].args);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClipboardRead,
    testing::Values(
        ClipboardCase{"text", true, true, u"12", u"", L"12", kRead},
        ClipboardCase{"held_by_another_window", false, true, u"12", u"", L"", {"OpenClipboard"}},
        ClipboardCase{"no_text", true, false, u"12", u"", L"", kOpened},
        ClipboardCase{"empty", true, true, u"", u"", L"", kRead},
        ClipboardCase{"unterminated_block", true, true, u"12", u"34", L"12", kRead},
        ClipboardCase{"as_long_as_a_number", true, true, std::u16string(256, u'1'), u"", std::wstring(256, L'1'),
                      kRead},
        ClipboardCase{"longer_than_a_number", true, true, std::u16string(257, u'1'), u"", L"", kRead}),
    [](const testing::TestParamInfo<ClipboardCase>& test) { return test.param.name; });

// ---- What enters, in place of the selection and within the limit -------------

struct EntryCase {
    const char* name;
    friend void PrintTo(const EntryCase& c, std::ostream* out) { *out << c.name; }
    PasteRule rule;
    std::wstring before;  // b's text; a program may set one longer than the limit of 8
    DWORD selectionStart, selectionEnd;
    std::u16string clipboard;
    std::wstring after;
};

class PasteEntry : public BoxTest, public testing::WithParamInterface<EntryCase> {};

// What the rule makes of the paste replaces the selection, cut to the room
// the limit leaves beside the text kept; a paste that would enter nothing
// leaves the text and its selection alone. The replacement can be undone.
TEST_P(PasteEntry, ReplacesTheSelectionWithinTheRoomTheLimitLeaves) {
    const EntryCase& c = GetParam();
    fake::script().clipboard = c.clipboard;
    ControlDescription b = B();
    b.pasteRule = c.rule;
    b.maxLength = 8;
    Form form(WithB(b));
    HWND box = nullptr;
    RunWith(form, {[&] {
                box = form[form1::b].Window();
                SetWindowTextW(box, c.before.c_str());
                SendMessageW(box, EM_SETSEL, c.selectionStart, c.selectionEnd);
                fake::ClearCalls();
                SendMessageW(box, WM_PASTE, 0, 0);
            }});
    EXPECT_EQ(fake::WindowOf(box).wideText, c.after);
    for (const auto& asked : Sent(box, EM_GETLIMITTEXT)) {
        EXPECT_EQ(asked, (std::vector<long long>{H(box), EM_GETLIMITTEXT, 0, 0}));
    }
    auto replaced = Sent(box, EM_REPLACESEL);
    ASSERT_EQ(replaced.size(), c.after == c.before ? 0u : 1u);
    if (!replaced.empty()) {
        EXPECT_EQ(replaced[0][2], TRUE);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PasteEntry,
    testing::Values(EntryCase{"filling_an_empty_box", AsPasted, L"", 0, 0, u"123456789", L"12345678"},
                    EntryCase{"over_a_whole_full_box", AsPasted, L"12345678", 0, 8, u"87654321", L"87654321"},
                    EntryCase{"over_the_middle", AsPasted, L"123456", 2, 4, u"999999", L"12999956"},
                    EntryCase{"over_the_end", AsPasted, L"123456", 2, 6, u"999999999", L"12999999"},
                    EntryCase{"at_the_caret_of_a_full_box", AsPasted, L"12345678", 8, 8, u"9", L"12345678"},
                    EntryCase{"into_a_box_beyond_its_limit", AsPasted, L"1234567890", 9, 10, u"5", L"1234567890"},
                    EntryCase{"refused_by_the_rule", Refused, L"123", 0, 3, u"45", L"123"},
                    EntryCase{"emptied_by_the_rule", NothingKept, L"123", 0, 3, u"45", L"123"}),
    [](const testing::TestParamInfo<EntryCase>& test) { return test.param.name; });

}  // namespace
