// The keys the form handles before any control: key preview, Enter, Escape
// and the tab order, through the message loop as the platform delivers them.

#include "form_test_support.h"

#include <cstdint>
#include <ostream>

namespace {

using forms::Form;

void Upper(int16_t& code) {
    Heard().push_back("form " + std::to_string(code));
    if (code >= 'a' && code <= 'z') code = static_cast<int16_t>(code - 'a' + 'A');
}
void DropAll(int16_t& code) {
    Heard().push_back("form drops");
    code = 0;
}
void BoxDigitsOnly(int16_t& code) {
    Heard().push_back("box " + std::to_string(code));
    if (code < '0' || code > '9') code = 0;
}
void BoxNext(int16_t& code) {
    Heard().push_back("box " + std::to_string(code));
    ++code;
}

struct PreviewCase {
    const char* name;
    friend void PrintTo(const PreviewCase& c, std::ostream* out) { *out << c.name; }
    bool keyPreview;
    forms::CodeEvent::Function formHandler;
    forms::CodeEvent::Function boxHandler;
    wchar_t typed;
    std::vector<std::string> heard;
    std::wstring entered;  // what the box then holds
};

class KeyPreview : public FormTest, public testing::WithParamInterface<PreviewCase> {};

TEST_P(KeyPreview, TheFormFirstThenTheFocusedBoxAndWhatTheyLeaveEnters) {
    const PreviewCase& c = GetParam();
    forms::FormDescription description = kForm1;
    description.keyPreview = c.keyPreview;
    Form form(description);
    form.onKeyPress = c.formHandler;
    form[form1::b].onKeyPress = c.boxHandler;
    HWND box = nullptr;
    RunWith(form, {[&] {
                box = form[form1::b].Window();
                fake::Post(box, WM_CHAR, c.typed);
            }});
    EXPECT_EQ(Heard(), c.heard);
    EXPECT_EQ(fake::WindowOf(box).wideText, c.entered);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyPreview,
    testing::Values(PreviewCase{"changed_by_both", true, Upper, BoxNext, L'a', {"form 97", "box 65"}, L"B"},
                    PreviewCase{"dropped_by_the_form", true, DropAll, BoxNext, L'7', {"form drops"}, L""},
                    PreviewCase{"dropped_by_the_box", true, Upper, BoxDigitsOnly, L'x', {"form 120", "box 88"}, L""},
                    PreviewCase{"kept_by_both", true, Upper, BoxDigitsOnly, L'5', {"form 53", "box 53"}, L"5"},
                    PreviewCase{"no_preview", false, Upper, BoxNext, L'a', {"box 97"}, L"b"},
                    PreviewCase{"no_handlers", true, nullptr, nullptr, L'q', {}, L"q"},
                    // Past U+7FFF the code is negative: a character still, not a zero.
                    PreviewCase{"arabic_ligature", true, Upper, nullptr, L'\uFEFB', {"form -261"}, L"\uFEFB"}),
    [](const testing::TestParamInfo<PreviewCase>& test) { return test.param.name; });

// An input method's character passes the same handlers once, then enters as
// a typed one; the box is not handed the input method's message.
TEST_F(FormTest, AnInputMethodsCharacterPassesTheHandlersOnceAndEntersAsTyped) {
    Form form(kForm1);
    form.onKeyPress = Upper;
    form[form1::b].onKeyPress = BoxNext;
    HWND box = nullptr;
    RunWith(form, {[&] {
                box = form[form1::b].Window();
                SendMessageW(box, WM_IME_CHAR, L'a', 0x10001);
            }});
    EXPECT_EQ(Heard(), (std::vector<std::string>{"form 97", "box 65"}));
    EXPECT_EQ(fake::WindowOf(box).wideText, L"B");
    int typed = 0;
    for (const fake::Message& seen : fake::WindowOf(box).seenByOwnProcedure) {
        EXPECT_NE(seen.message, WM_IME_CHAR);
        if (seen.message != WM_CHAR) continue;
        ++typed;
        EXPECT_EQ(seen.lParam, 0x10001) << "the repeat count as the input method gave it";
    }
    EXPECT_EQ(typed, 1);
}

void Calculate() { Heard().push_back("Command1"); }
void Exit() { Heard().push_back("Command2"); }
void Clear() { Heard().push_back("Command3"); }

struct ButtonKeyCase {
    const char* name;
    friend void PrintTo(const ButtonKeyCase& c, std::ostream* out) { *out << c.name; }
    int key;
    form1::TextBox focusedBox;         // where the focus is, unless on a button
    const form1::CommandButton* focusedButton;
    std::vector<std::string> clicked;
};

constexpr form1::CommandButton kOnClear = form1::Command3;
constexpr form1::CommandButton kOnExit = form1::Command2;

class ButtonKeys : public FormTest, public testing::WithParamInterface<ButtonKeyCase> {};

// Enter clicks the focused button, or from anywhere else the default one;
// Escape clicks the cancel button wherever the focus is. Neither key reaches
// the control.
TEST_P(ButtonKeys, EnterClicksTheFocusedButtonElseTheDefaultEscapeTheCancel) {
    const ButtonKeyCase& c = GetParam();
    Form form(kForm1);
    form[form1::Command1].onClick = Calculate;
    form[form1::Command2].onClick = Exit;
    form[form1::Command3].onClick = Clear;
    HWND focused = nullptr;
    RunWith(form, {[&] {
                focused = c.focusedButton ? form[*c.focusedButton].Window() : form[c.focusedBox].Window();
                SetFocus(focused);
                fake::Post(focused, WM_KEYDOWN, static_cast<WPARAM>(c.key));
            }});
    EXPECT_EQ(Heard(), c.clicked);
    for (const fake::Message& seen : fake::WindowOf(focused).seenByOwnProcedure) EXPECT_NE(seen.message, WM_KEYDOWN);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ButtonKeys,
    testing::Values(ButtonKeyCase{"enter_in_the_input_box", VK_RETURN, form1::b, nullptr, {"Command1"}},
                    ButtonKeyCase{"enter_in_a_read_only_box", VK_RETURN, form1::h, nullptr, {"Command1"}},
                    ButtonKeyCase{"enter_on_clear", VK_RETURN, form1::b, &kOnClear, {"Command3"}},
                    ButtonKeyCase{"enter_on_exit", VK_RETURN, form1::b, &kOnExit, {"Command2"}},
                    ButtonKeyCase{"escape_in_a_box", VK_ESCAPE, form1::d, nullptr, {"Command2"}},
                    ButtonKeyCase{"escape_on_clear", VK_ESCAPE, form1::b, &kOnClear, {"Command2"}}),
    [](const testing::TestParamInfo<ButtonKeyCase>& test) { return test.param.name; });

// Other keys and key messages, and keys for windows that are not the
// form's, go on to their window untouched: the key preview sees characters
// only.
TEST_F(FormTest, OtherKeysAndOtherWindowsKeysGoOnToTheirWindow) {
    Form form(kForm1);
    form[form1::Command1].onClick = Calculate;
    form[form1::Command2].onClick = Exit;
    form.onKeyPress = DropAll;
    HWND box = nullptr;
    HWND elsewhere = nullptr;
    HWND earlier = fake::AddWindow(RECT{0, 0, 10, 10}, 0, "a window made before the form's");
    RunWith(form, {[&] {
                       fake::Post(earlier, WM_KEYDOWN, VK_ESCAPE);
                       box = form[form1::b].Window();
                       elsewhere = fake::AddWindow(RECT{0, 0, 10, 10}, 0, "another program's");
                       fake::Post(box, WM_KEYDOWN, 'A');
                       fake::Post(box, WM_KEYUP, VK_RETURN);
                       fake::Post(box, WM_SYSKEYDOWN, VK_ESCAPE);
                       fake::Post(elsewhere, WM_KEYDOWN, VK_RETURN);
                       fake::Post(elsewhere, WM_CHAR, L'z');
                   },
                   [&] {
                       fake::script().keyStates[VK_CONTROL] = fake::kKeyDown;
                       fake::Post(box, WM_KEYDOWN, 'V');
                   }});
    EXPECT_TRUE(Heard().empty());
    std::vector<UINT> toTheBox, toElsewhere;
    for (const fake::Message& m : fake::WindowOf(box).seenByOwnProcedure) {
        if (m.message >= WM_KEYDOWN && m.message <= WM_SYSKEYDOWN) toTheBox.push_back(m.message);
    }
    for (const fake::Message& m : fake::WindowOf(elsewhere).seenByOwnProcedure) toElsewhere.push_back(m.message);
    EXPECT_EQ(toTheBox, (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_KEYDOWN}));
    EXPECT_EQ(toElsewhere, (std::vector<UINT>{WM_KEYDOWN, WM_CHAR}));
    EXPECT_EQ(fake::WindowOf(earlier).seenByOwnProcedure.size(), 1u);
}

// Escape pressed with the focus on the form itself clicks the cancel button
// too; Enter with the focus in another form's button clicks this form's
// default, not that button.
TEST_F(FormTest, TheFormsOwnWindowTakesEscapeAndAnotherFormsButtonIsNoneOfItsOwn) {
    Form form(kForm1);
    Form other(kForm1);
    form[form1::Command1].onClick = Calculate;
    form[form1::Command2].onClick = Exit;
    other[form1::Command3].onClick = Clear;
    HWND otherButton = fake::AddWindow(RECT{0, 0, 10, 10}, 0, "another form's button");
    fake::WindowOf(otherButton).userData = reinterpret_cast<LONG_PTR>(&other[form1::Command3]);
    RunWith(form, {[&] {
                       SetFocus(form.hWnd());
                       fake::Post(form.hWnd(), WM_KEYDOWN, VK_ESCAPE);
                   },
                   [&] {
                       SetFocus(otherButton);
                       fake::Post(form[form1::b].Window(), WM_KEYDOWN, VK_RETURN);
                   }});
    EXPECT_EQ(Heard(), (std::vector<std::string>{"Command2", "Command1"}));
}

// The tab order runs through the covered controls (the buttons and e, under
// the frame) as their tab indices say, round in both directions; a box
// tabbed into has all its text selected. Ctrl+Tab is left to the control.
TEST_F(FormTest, TabAndShiftTabCycleThroughTheStopsSelectingABoxsText) {
    Form form(kForm1);
    std::vector<std::string> forward, backward;
    auto focusedName = [&] {
        for (size_t i = 0; i < kForm1.controlCount; ++i) {
            const forms::ControlDescription& d = kForm1.controls[i];
            if (forms::ControlId(d) == fake::WindowOf(GetFocus()).id) return std::string(d.name);
        }
        return std::string("?");
    };
    // Each step notes where the previous press left the focus, then presses.
    auto presses = [&](int count, bool shift, std::vector<std::string>& into) {
        std::vector<std::function<void()>> steps;
        for (int i = 0; i <= count; ++i) {
            steps.push_back([&, i, count, shift] {
                if (i > 0) into.push_back(focusedName());
                if (i == count) return;
                fake::script().keyStates[VK_SHIFT] = shift ? fake::kKeyDown : fake::kKeyToggled;
                fake::script().keyStates[VK_CONTROL] = fake::kKeyToggled;
                fake::Post(GetFocus(), WM_KEYDOWN, VK_TAB);
            });
        }
        return steps;
    };
    RunWith(form, presses(10, false, forward));
    EXPECT_EQ(forward,
              (std::vector<std::string>{"c", "d", "f", "Command2", "Command3", "Command1", "e", "g", "h", "b"}));

    fake::Reset();
    Form again(kForm1);
    RunWith(again, presses(3, true, backward));
    EXPECT_EQ(backward, (std::vector<std::string>{"h", "g", "e"}));
    for (const fake::Message& m : fake::WindowOf(again[form1::b].Window()).seenByOwnProcedure) {
        EXPECT_NE(m.message, static_cast<UINT>(WM_KEYDOWN));  // the key the form took
    }
    std::vector<fake::Message> selections;
    for (const fake::Message& m : fake::WindowOf(again[form1::e].Window()).seenByOwnProcedure) {
        if (m.message == EM_SETSEL) selections.push_back(m);
    }
    ASSERT_EQ(selections.size(), 1u);
    EXPECT_EQ(selections[0].wParam, 0u);
    EXPECT_EQ(selections[0].lParam, -1);
}

// With the focus on none of the stops (the form itself), Tab goes to the
// first and Shift+Tab to the last; a form with no stop ignores Tab.
TEST_F(FormTest, TabFromOutsideTheStopsStartsAtAnEndAndNoStopsIgnoreIt) {
    std::vector<HWND> focused;
    for (bool shift : {false, true}) {
        fake::Reset();
        Form form(kForm1);
        RunWith(form, {[&, shift] {
                           SetFocus(form.hWnd());
                           fake::script().keyStates[VK_SHIFT] = shift ? fake::kKeyDown : 0;
                           fake::Post(form.hWnd(), WM_KEYDOWN, VK_TAB);
                       },
                       [&] { focused.push_back(GetFocus()); }});
        EXPECT_EQ(focused.back(), form[shift ? form1::h : form1::b].Window());
    }

    fake::Reset();
    forms::ControlDescription onlyALabel = kForm1.controls[form1::Label3.index];
    forms::FormDescription noStops = kForm1;
    noStops.controls = &onlyALabel;
    noStops.controlCount = 1;
    noStops.readerNameCount = 0;
    Form form(noStops);
    HWND focusAfter = nullptr;
    RunWith(form, {[&] {
                       SetFocus(form.hWnd());
                       fake::Post(form.hWnd(), WM_KEYDOWN, VK_TAB);
                   },
                   [&] { focusAfter = GetFocus(); }});
    EXPECT_EQ(focusAfter, form.hWnd());
}

TEST_F(FormTest, CtrlTabIsLeftToTheControl) {
    Form form(kForm1);
    HWND box = nullptr;
    HWND focusAfter = nullptr;
    RunWith(form, {[&] {
                       box = form[form1::b].Window();
                       fake::script().keyStates[VK_CONTROL] = fake::kKeyDown;
                       fake::Post(box, WM_KEYDOWN, VK_TAB);
                   },
                   [&] { focusAfter = GetFocus(); }});
    EXPECT_EQ(focusAfter, box);
    EXPECT_EQ(fake::WindowOf(box).seenByOwnProcedure.back().message, static_cast<UINT>(WM_KEYDOWN));
}

}  // namespace

namespace {

struct PasteCase {
    const char* name;
    friend void PrintTo(const PasteCase& c, std::ostream* out) { *out << c.name; }
    std::u16string clipboard;
    std::wstring before;  // b's text, with all of it selected or the caret after it
    bool selectAll;
    bool shiftInsert;  // else the context menu's WM_PASTE
    std::wstring after;
};

class Paste : public FormTest, public testing::WithParamInterface<PasteCase> {};

// A paste into b enters as its paste rule lets it, within its 8-character
// limit, in place of the selection; a paste the rule refuses, or text that
// is no number's, leaves b as it was.
TEST_P(Paste, EntersAsTheBoxsRuleLetsItWithinItsLimit) {
    const PasteCase& c = GetParam();
    fake::script().clipboard = c.clipboard;
    forms::Form form(kForm1);
    HWND box = nullptr;
    RunWith(form, {[&] {
                box = form[form1::b].Window();
                SetWindowTextW(box, c.before.c_str());
                SendMessageW(box, EM_SETSEL, c.selectAll ? 0 : c.before.size(), -1);
                fake::script().keyStates[VK_SHIFT] = c.shiftInsert ? fake::kKeyDown : 0;
                if (c.shiftInsert) {
                    SendMessageW(box, WM_KEYDOWN, VK_INSERT, 0);
                } else {
                    SendMessageW(box, WM_PASTE, 0, 0);
                }
            }});
    EXPECT_EQ(fake::WindowOf(box).wideText, c.after);
    EXPECT_EQ(fake::CallsNamed("OpenClipboard").size(), fake::CallsNamed("CloseClipboard").size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Paste,
    testing::Values(PasteCase{"grouped", u"1,234", L"", false, false, L"1234"},
                    PasteCase{"arabic_indic", u"\u0661\u0662\u0663", L"9", false, true, L"9123"},
                    PasteCase{"in_place_of_the_selection", u"55", L"123", true, false, L"55"},
                    PasteCase{"cut_to_the_limit", u"9999", L"123456", false, false, L"12345699"},
                    PasteCase{"refused", u"-42", L"7", false, false, L"7"},
                    PasteCase{"longer_than_any_number", std::u16string(300, u'1'), L"", false, false, L""}),
    [](const testing::TestParamInfo<PasteCase>& test) { return test.param.name; });

// A read-only box pastes as the platform does (nothing): its rule is not asked.
TEST_F(FormTest, AReadOnlyBoxLeavesThePasteToThePlatform) {
    fake::script().clipboard = u"12";
    forms::Form form(kForm1);
    HWND box = nullptr;
    RunWith(form, {[&] {
                box = form[form1::c].Window();
                SendMessageW(box, WM_PASTE, 0, 0);
            }});
    EXPECT_TRUE(fake::CallsNamed("OpenClipboard").empty());
    EXPECT_EQ(fake::WindowOf(box).seenByOwnProcedure.back().message, static_cast<UINT>(WM_PASTE));
}

}  // namespace
