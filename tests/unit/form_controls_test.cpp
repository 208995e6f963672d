// The controls' windows as the runtime makes them from the description, and
// the timer's ticks.

#include "form_test_support.h"

#include <cstdint>
#include <ostream>

namespace {

using forms::Form;

long long H(const void* handle) { return static_cast<long long>(reinterpret_cast<uintptr_t>(handle)); }

struct MadeCase {
    const char* name;
    friend void PrintTo(const MadeCase& c, std::ostream* out) { *out << c.name; }
    int index;
    bool inFrame;
    const wchar_t* className;
    RECT rect;  // pixels at 96 DPI, in the container
    DWORD style;
    DWORD exStyle;
    int id;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

class MadeWindows : public FormTest, public testing::WithParamInterface<MadeCase> {};

// Each control's window lies at its place in its container, of its kind's
// class and styles, with its control ID, caption and font, and its own
// class's procedure or the runtime's in front of the platform's.
TEST_P(MadeWindows, LieWhereDescribedWithTheirKindsStylesAndFont) {
    const MadeCase& c = GetParam();
    Form form(kForm1);
    RunWith(form, {});
    const forms::ControlDescription& d = kForm1.controls[c.index];
    HWND window = nullptr;
    for (HWND candidate : fake::WindowsOfClass(c.className)) {
        if (fake::WindowOf(candidate).id == c.id) window = candidate;
    }
    ASSERT_NE(window, nullptr);
    const fake::Window& w = fake::WindowOf(window);
    EXPECT_EQ(w.parent, c.inFrame ? form[form1::Frame1].Window() : form.hWnd());
    EXPECT_EQ(w.rect.left, c.rect.left);
    EXPECT_EQ(w.rect.top, c.rect.top);
    EXPECT_EQ(w.rect.right, c.rect.right);
    EXPECT_EQ(w.rect.bottom, c.rect.bottom);
    EXPECT_EQ(static_cast<DWORD>(w.style), c.style);
    EXPECT_EQ(w.exStyle, c.exStyle);
    EXPECT_EQ(w.wideText, std::wstring(d.caption));
    bool fontSet = false;
    for (const fake::Call& sent : fake::CallsNamed("SendMessageW")) {
        if (sent.args[0] == H(window) && sent.args[1] == WM_SETFONT) {
            fontSet = sent.args[2] != 0 && sent.args[3] == FALSE;
        }
    }
    EXPECT_TRUE(fontSet);
    ASSERT_NE(w.userData, 0);  // tied to its control
    EXPECT_EQ(&reinterpret_cast<const forms::Control*>(w.userData)->Description(), &d);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MadeWindows,
    testing::Values(
        MadeCase{"b", form1::b.index, true, L"EDIT", {0, 24, 145, 57},
                 kChild | WS_TABSTOP | ES_AUTOHSCROLL | ES_RIGHT, WS_EX_CLIENTEDGE | WS_EX_RTLREADING, 1001},
        MadeCase{"e", form1::e.index, false, L"EDIT", {136, 80, 281, 113},
                 kChild | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY | ES_RIGHT, WS_EX_CLIENTEDGE | WS_EX_RTLREADING,
                 1010},
        MadeCase{"Command2", form1::Command2.index, false, L"BUTTON", {72, 56, 137, 89},
                 kChild | WS_TABSTOP | BS_OWNERDRAW, 0, 1007},
        MadeCase{"Label10", form1::Label10.index, true, L"ZemranaLabel", {144, 184, 401, 217}, kChild, 0, 1013},
        MadeCase{"Frame1", form1::Frame1.index, false, L"ZemranaFrame", {0, 24, 401, 249}, kChild | WS_CLIPCHILDREN,
                 WS_EX_CONTROLPARENT, 1011}),
    [](const testing::TestParamInfo<MadeCase>& test) { return test.param.name; });

void Tick() { Heard().push_back("tick"); }

// The timer ticks on a message-only window of its own at its interval, anew
// at each change, not at all at 0; only its own tick raises its event (not
// another timer's, not one reaching a window of its class that no timer
// holds), and its window goes with the form's.
TEST_F(FormTest, TheTimerTicksOnItsOwnWindowAtItsInterval) {
    Form form(kForm1);
    form[form1::Timer1].onTimer = Tick;
    HWND ticks = nullptr;
    std::vector<LRESULT> answers;
    RunWith(form, {[&] {
                       ticks = fake::WindowsOfClass(L"ZemranaTimer").at(0);
                       form[form1::Timer1].SetInterval(1);
                       form[form1::Timer1].SetInterval(0);
                       form[form1::Timer1].SetInterval(-5);
                       answers.push_back(SendMessageW(ticks, WM_TIMER, 1, 0));
                       answers.push_back(SendMessageW(ticks, WM_TIMER, 2, 0x21));
                       answers.push_back(SendMessageW(ticks, WM_TIMER, 0, 0x20));
                       answers.push_back(SendMessageW(ticks, WM_TIMER - 1, 1, 0x22));
                       answers.push_back(SendMessageW(ticks, WM_TIMER + 1, 1, 0x23));
                       // A window of the timer's class that no timer holds.
                       HWND stray = CreateWindowExW(0, L"ZemranaTimer", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                                    nullptr, nullptr);
                       answers.push_back(SendMessageW(stray, WM_TIMER, 1, 0x24));
                       DestroyWindow(stray);
                   },
                   [&] { fake::Post(form.hWnd(), WM_CLOSE); }});
    const fake::Window& window = fake::WindowOf(ticks);
    EXPECT_TRUE(window.messageOnly);
    EXPECT_EQ(window.parent, nullptr);
    std::vector<std::vector<long long>> timers;
    for (const fake::Call& call : fake::Calls()) {
        if (call.name == "SetTimer" || call.name == "KillTimer") {
            timers.push_back(call.args);
            timers.back().insert(timers.back().begin(), call.name == "SetTimer");
        }
    }
    EXPECT_EQ(timers, (std::vector<std::vector<long long>>{
                          {1, H(ticks), 1, 1000}, {1, H(ticks), 1, 1}, {0, H(ticks), 1}, {0, H(ticks), 1}}));
    EXPECT_EQ(Heard(), (std::vector<std::string>{"tick"}));
    EXPECT_EQ(answers, std::vector<LRESULT>({0, fake::kDefaultAnswer, fake::kDefaultAnswer, fake::kDefaultAnswer,
                                             fake::kDefaultAnswer, fake::kDefaultAnswer}));
    // What is not its own tick goes on to the default procedure as it came.
    std::vector<std::vector<long long>> passedOn;
    for (const fake::Call& call : fake::CallsNamed("DefWindowProcW")) {
        if (call.args[3] >= 0x20 && call.args[3] <= 0x24) passedOn.push_back(call.args);
    }
    HWND stray = fake::WindowsOfClass(L"ZemranaTimer").at(1);
    EXPECT_EQ(passedOn, (std::vector<std::vector<long long>>{{H(ticks), WM_TIMER, 2, 0x21},
                                                             {H(ticks), WM_TIMER, 0, 0x20},
                                                             {H(ticks), WM_TIMER - 1, 1, 0x22},
                                                             {H(ticks), WM_TIMER + 1, 1, 0x23},
                                                             {H(stray), WM_TIMER, 1, 0x24}}));
    EXPECT_FALSE(IsWindow(ticks));
    auto created = fake::CallsNamed("CreateWindowExW");
    for (const fake::Call& call : created) {
        if (call.text != "ZemranaTimer") continue;
        EXPECT_EQ(call.args, (std::vector<long long>{0, 0, 0, 0, 0, 0, H(HWND_MESSAGE), 0, 0x400000}));
        break;  // the stray one is the test's
    }
}

// A control's text, focus and words to readers reach its window once it has
// one; before, they reach nothing and its text is empty.
TEST_F(FormTest, AControlActsOnItsWindowOnlyOnceItHasOne) {
    fake::script().readerServices = true;
    Form form(kForm1);
    auto& box = form[form1::b];
    auto& result = form[form1::f];
    box.SetText(L"12");
    box.Focus();
    box.Announce(L"said");
    result.AnnounceResult(L"told");
    EXPECT_EQ(box.Text(), L"");
    EXPECT_TRUE(fake::Calls().empty()) << fake::Calls().front().name;

    std::wstring read;
    HWND focused = nullptr;
    RunWith(form, {[&] {
        fake::ClearCalls();
        box.SetText(L"12");
        read = box.Text();
        result.Focus();
        focused = GetFocus();
        result.AnnounceResult(L"told");
        result.AnnounceResult(L"told again");
        box.Announce(L"said");
    }});
    EXPECT_EQ(read, L"12");
    EXPECT_EQ(focused, result.Window());
    std::vector<std::string> told;
    for (const fake::Call& call : fake::Calls()) {
        bool event = call.name == "NotifyWinEvent";
        if (event || call.name == "MarkPoliteLiveRegion" || call.name == "Notify") {
            told.push_back(call.name + " " + std::to_string(call.args[event ? 1 : 0]) + " " + call.text);
        }
    }
    std::string f = std::to_string(H(result.Window()));
    std::string b = std::to_string(H(box.Window()));
    EXPECT_EQ(told, (std::vector<std::string>{"MarkPoliteLiveRegion " + f + " ", "NotifyWinEvent " + f + " ",
                                              "Notify " + f + " told", "NotifyWinEvent " + f + " ",
                                              "Notify " + f + " told again", "Notify " + b + " said"}));
}

constexpr int kNoWindow = -2;

struct FactsCase {
    const char* name;
    friend void PrintTo(const FactsCase& c, std::ostream* out) { *out << c.name; }
    int index;
    int nameSource;  // the control whose window's text names it; kNoLabel: its own; kNoWindow: none
    long role;
    long addedStates;
    bool valueIsText;
    size_t fixedName;    // its length
    size_t description;  // the tooltip's length
    const char* defaultAction;
};

class ReaderFacts : public FormTest, public testing::WithParamInterface<FactsCase> {};

// What a reader is told of each kind of control: its role, a box's value and
// read-only state, a button's default action, a tooltip as the description,
// and the name shown beside it or its own.
TEST_P(ReaderFacts, EachKindTellsItsRoleNameAndState) {
    const FactsCase& c = GetParam();
    Form form(kForm1);
    HWND asked = nullptr;
    RunWith(form, {[&] {
                for (HWND window : fake::Children(form.hWnd())) {
                    auto* control = reinterpret_cast<const forms::Control*>(fake::WindowOf(window).userData);
                    if (control && &control->Description() == &kForm1.controls[c.index]) asked = window;
                }
                for (HWND window : fake::Children(form[form1::Frame1].Window())) {
                    auto* control = reinterpret_cast<const forms::Control*>(fake::WindowOf(window).userData);
                    if (control && &control->Description() == &kForm1.controls[c.index]) asked = window;
                }
                fake::ClearCalls();
                SendMessageW(asked, WM_GETOBJECT, 0, -4);
            }});
    auto answered = fake::CallsNamed("AnswerAccessibleObject");
    ASSERT_EQ(answered.size(), 1u);
    HWND source = c.nameSource == kNoWindow ? nullptr : asked;
    if (c.nameSource >= 0) {
        for (HWND window : fake::WindowsOfClass(L"ZemranaLabel")) {
            auto* label = reinterpret_cast<const forms::Control*>(fake::WindowOf(window).userData);
            if (&label->Description() == &kForm1.controls[c.nameSource]) source = window;
        }
    }
    EXPECT_EQ(answered[0].args, (std::vector<long long>{H(asked), 0, -4, c.role, c.addedStates, c.valueIsText,
                                                        H(source), static_cast<long long>(c.fixedName),
                                                        static_cast<long long>(c.description)}));
    EXPECT_EQ(answered[0].text, c.defaultAction);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReaderFacts,
    testing::Values(FactsCase{"b", form1::b.index, form1::Label5.index, ROLE_SYSTEM_TEXT, 0, true, 0, 0, ""},
                    FactsCase{"h", form1::h.index, form1::Label9.index, ROLE_SYSTEM_TEXT, STATE_SYSTEM_READONLY,
                              true, 0, 11, ""},
                    FactsCase{"e", form1::e.index, kNoWindow, ROLE_SYSTEM_TEXT, STATE_SYSTEM_READONLY, true, 32,
                              11, ""},
                    FactsCase{"Command1", form1::Command1.index, forms::kNoLabel, ROLE_SYSTEM_PUSHBUTTON, 0, false, 0,
                              0, "Press"},
                    FactsCase{"Label3", form1::Label3.index, forms::kNoLabel, ROLE_SYSTEM_STATICTEXT, 0, false, 0, 13,
                              ""},
                    FactsCase{"Frame1", form1::Frame1.index, form1::Label4.index, ROLE_SYSTEM_GROUPING, 0, false, 0,
                              0, ""}),
    [](const testing::TestParamInfo<FactsCase>& test) { return test.param.name; });

}  // namespace
