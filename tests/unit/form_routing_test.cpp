// What a container answers for its children (their clicks, colours and
// drawing), the colours after the user changes them, and a label's text
// fitted to its box.

#include "form_test_support.h"
#include "forms/colours.h"

#include <cstdint>
#include <ostream>
#include <algorithm>
#include <memory>

namespace {

using forms::Form;

void Calculate() { Heard().push_back("Command1"); }

LPARAM L(HWND window) { return reinterpret_cast<LPARAM>(window); }

struct CommandCase {
    const char* name;
    friend void PrintTo(const CommandCase& c, std::ostream* out) { *out << c.name; }
    bool toTheFrame;  // else to the form, the button's container
    WORD notification;
    bool clicked;
};

class ContainerCommands : public FormTest, public testing::WithParamInterface<CommandCase> {};

// A button's click reaches its own container only, and only as BN_CLICKED.
TEST_P(ContainerCommands, AClickNotifiedToTheButtonsContainerRaisesItsClick) {
    const CommandCase& c = GetParam();
    Form form(kForm1);
    form[form1::Command1].onClick = Calculate;
    LRESULT answer = -1;
    RunWith(form, {[&] {
                HWND container = c.toTheFrame ? form[form1::Frame1].Window() : form.hWnd();
                fake::ClearCalls();
                answer = SendMessageW(container, WM_COMMAND, static_cast<WPARAM>(c.notification) << 16,
                                      L(form[form1::Command1].Window()));
            }});
    EXPECT_EQ(Heard().size(), c.clicked ? 1u : 0u);
    EXPECT_EQ(answer, 0);
    EXPECT_TRUE(fake::CallsNamed("DefWindowProcW").empty());  // answered by the container itself
}

constexpr WORD kSetFocusNotification = 6;  // BN_SETFOCUS

INSTANTIATE_TEST_SUITE_P(Cases, ContainerCommands,
                         testing::Values(CommandCase{"clicked", false, BN_CLICKED, true},
                                         CommandCase{"focus_notification", false, kSetFocusNotification, false},
                                         CommandCase{"to_another_container", true, BN_CLICKED, false}),
                         [](const testing::TestParamInfo<CommandCase>& test) { return test.param.name; });

// A container colours its own children: the child's back and text colours
// set on the device context, its brush answered; another's child gets 0.
TEST_F(FormTest, AContainerColoursItsOwnChildrenOnly) {
    Form form(kForm1);
    LRESULT boxInFrame = 0, boxToForm = 0, readOnlyOnForm = 0;
    HDC dc = reinterpret_cast<HDC>(0x5150);
    RunWith(form, {[&] {
                boxInFrame = SendMessageW(form[form1::Frame1].Window(), WM_CTLCOLOREDIT,
                                          reinterpret_cast<WPARAM>(dc), L(form[form1::b].Window()));
                boxToForm = SendMessageW(form.hWnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                         L(form[form1::b].Window()));
                readOnlyOnForm = SendMessageW(form.hWnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                              L(form[form1::e].Window()));
            }});
    EXPECT_EQ(boxInFrame, reinterpret_cast<LRESULT>(form[form1::b].Brush()));
    EXPECT_EQ(fake::BrushColour(form[form1::b].Brush()), 0x00FFFFC0u);  // light cyan
    EXPECT_EQ(boxToForm, 0);
    EXPECT_EQ(readOnlyOnForm, reinterpret_cast<LRESULT>(form[form1::e].Brush()));
    std::vector<long long> backs, texts;
    for (const fake::Call& call : fake::CallsNamed("SetBkColor")) backs.push_back(call.args[1]);
    for (const fake::Call& call : fake::CallsNamed("SetTextColor")) texts.push_back(call.args[1]);
    EXPECT_EQ(backs, (std::vector<long long>{0x00FFFFC0, 0x00FFFFC0}));
    EXPECT_EQ(texts, (std::vector<long long>{form[form1::b].TextColour(), 0x000000FF}));  // e's red
    for (const char* call : {"SetBkColor", "SetTextColor"}) {
        for (const fake::Call& made : fake::CallsNamed(call)) EXPECT_EQ(made.args[0], 0x5150) << call;
    }
}

// A container paints its own surface in its brush where it is invalid, and
// leaves nothing for the platform to erase.
TEST_F(FormTest, AContainerPaintsItsSurfaceAndErasesNothing) {
    Form form(kForm1);
    LRESULT erased = 0, painted = -1;
    HWND frame = nullptr;
    RunWith(form, {[&] {
                frame = form[form1::Frame1].Window();
                fake::ClearCalls();
                erased = SendMessageW(frame, WM_ERASEBKGND, 0x5150, 0);
                painted = SendMessageW(frame, WM_PAINT, 0, 0);
            }});
    EXPECT_EQ(erased, 1);
    EXPECT_EQ(painted, 0);
    EXPECT_TRUE(fake::CallsNamed("DefWindowProcW").empty());
    auto begun = fake::CallsNamed("BeginPaint");
    auto fills = fake::CallsNamed("FillRect");
    ASSERT_EQ(begun.size(), 1u);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(begun[0].args[0], static_cast<long long>(reinterpret_cast<uintptr_t>(frame)));
    EXPECT_EQ(fills[0].args, (std::vector<long long>{begun[0].args[1], 0, 0, 401, 225,
                                                      static_cast<long long>(reinterpret_cast<uintptr_t>(
                                                          form[form1::Frame1].Brush()))}));
    EXPECT_EQ(fake::CallsNamed("EndPaint").size(), 1u);
}

struct DrawCase {
    const char* name;
    friend void PrintTo(const DrawCase& c, std::ostream* out) { *out << c.name; }
    UINT state;
    bool ownChild;
    UINT edge;
    bool focusRect;
};

class ButtonDrawing : public FormTest, public testing::WithParamInterface<DrawCase> {};

// A button's WM_DRAWITEM, sent to its container, draws it in its colours
// with its caption: sunken while pressed, a focus rectangle while focused.
TEST_P(ButtonDrawing, DrawsTheButtonItsContainerOwns) {
    const DrawCase& c = GetParam();
    fake::script().sysColors[COLOR_BTNTEXT] = 0x00800000;  // a caption colour that is not black
    Form form(kForm1);
    LRESULT answer = 0;
    RunWith(form, {[&] {
                DRAWITEMSTRUCT item{};
                item.hwndItem = form[form1::Command1].Window();
                item.hDC = reinterpret_cast<HDC>(0x5150);
                item.rcItem = RECT{0, 0, 57, 33};
                item.itemState = c.state;
                HWND container = c.ownChild ? form.hWnd() : form[form1::Frame1].Window();
                answer = SendMessageW(container, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
            }});
    EXPECT_EQ(answer, TRUE);
    auto edges = fake::CallsNamed("DrawEdge");
    auto texts = fake::CallsNamed("DrawTextW");
    if (!c.ownChild) {
        EXPECT_TRUE(edges.empty());
        EXPECT_TRUE(texts.empty());
        return;
    }
    // Everything drawn into the item's DC: the face, the edge, the caption.
    std::vector<std::string> drawn;
    for (const fake::Call& call : fake::Calls()) {
        if (call.name == "FillRect" || call.name == "DrawEdge" || call.name == "SetBkMode" ||
            call.name == "SetTextColor" || call.name == "DrawTextW" || call.name == "DrawFocusRect") {
            drawn.push_back(call.name);
            EXPECT_EQ(call.args[0], 0x5150) << call.name;
        }
    }
    std::vector<std::string> expected{"FillRect", "DrawEdge", "SetBkMode", "SetTextColor", "DrawTextW"};
    if (c.focusRect) expected.push_back("DrawFocusRect");
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(fake::CallsNamed("SetBkMode")[0].args[1], TRANSPARENT);
    EXPECT_EQ(fake::CallsNamed("SetTextColor")[0].args[1], 0x00800000);
    ASSERT_EQ(fake::CallsNamed("FillRect").size(), 1u);
    EXPECT_EQ(fake::CallsNamed("FillRect")[0].args.back(),
              static_cast<long long>(reinterpret_cast<uintptr_t>(form[form1::Command1].Brush())));
    ASSERT_EQ(edges.size(), 1u);
    EXPECT_EQ(edges[0].args[5], c.edge);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "????");  // the four letters of its Arabic caption
    EXPECT_EQ(texts[0].args[5], DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    ASSERT_EQ(fake::CallsNamed("DrawFocusRect").size(), c.focusRect ? 1u : 0u);
    if (c.focusRect) {
        EXPECT_EQ(fake::CallsNamed("DrawFocusRect")[0].args, (std::vector<long long>{0x5150, 4, 4, 53, 29}));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ButtonDrawing,
                         testing::Values(DrawCase{"raised", 0, true, EDGE_RAISED, false},
                                         DrawCase{"pressed", ODS_SELECTED, true, EDGE_SUNKEN, false},
                                         DrawCase{"focused", ODS_FOCUS, true, EDGE_RAISED, true},
                                         DrawCase{"not_the_containers", 0, false, 0, false}),
                         [](const testing::TestParamInfo<DrawCase>& test) { return test.param.name; });

struct ColourChange {
    const char* name;
    friend void PrintTo(const ColourChange& c, std::ostream* out) { *out << c.name; }
    UINT message;
    WPARAM wParam;
    bool highContrastAfter;
    bool recoloured;
};

class ColourChanges : public FormTest, public testing::WithParamInterface<ColourChange> {};

// A change of the colour scheme, or of high contrast, rebuilds every brush
// in the new colours, lets the old ones go and redraws the whole window;
// another setting's change leaves them.
TEST_P(ColourChanges, RebuildTheBrushesLeakingNoneAndRedrawEverything) {
    const ColourChange& c = GetParam();
    fake::script().sysColors[COLOR_WINDOW] = 0x00000000;
    fake::script().sysColors[COLOR_WINDOWTEXT] = 0x0000FFFF;
    auto owned = std::make_unique<Form>(kForm1);
    Form& form = *owned;
    int liveBefore = 0, liveAfter = 0;
    HBRUSH before = nullptr;
    COLORREF formColour = 0;
    RunWith(form, {[&] {
                before = form[form1::b].Brush();
                liveBefore = fake::LiveObjects();
                fake::ClearCalls();
                fake::script().highContrastFlags = c.highContrastAfter ? HCF_HIGHCONTRASTON : 0;
                SendMessageW(form.hWnd(), c.message, c.wParam, 0);
                liveAfter = fake::LiveObjects();
                SendMessageW(form.hWnd(), WM_PAINT, 0, 0);
                formColour = fake::BrushColour(reinterpret_cast<HBRUSH>(fake::CallsNamed("FillRect").back().args[5]));
            }});
    EXPECT_EQ(formColour, forms::FormBackground(kForm1, c.recoloured && c.highContrastAfter));
    EXPECT_EQ(liveAfter, liveBefore);
    size_t brushes = fake::CallsNamed("CreateSolidBrush").size();
    auto redraws = fake::CallsNamed("RedrawWindow");
    if (!c.recoloured) {
        EXPECT_EQ(brushes, 0u);
        EXPECT_TRUE(redraws.empty());
        EXPECT_EQ(form[form1::b].Brush(), before);
    } else {
        EXPECT_EQ(brushes, kForm1.controlCount);  // the form's and every control's but the timer's
        EXPECT_EQ(fake::CallsNamed("DeleteObject").size(), brushes);
        EXPECT_EQ(fake::BrushColour(before), 0xFFFFFFFFu);  // let go
        EXPECT_EQ(fake::BrushColour(form[form1::b].Brush()), c.highContrastAfter ? 0x00000000u : 0x00FFFFC0u);
        ASSERT_EQ(redraws.size(), 1u);
        std::vector<std::string> names = fake::CallNames();
        EXPECT_GT(std::find(names.rbegin(), names.rend(), "CreateSolidBrush") - names.rbegin(),
                  std::find(names.rbegin(), names.rend(), "RedrawWindow") - names.rbegin());  // brushes first
        EXPECT_EQ(redraws[0].args[0], static_cast<long long>(reinterpret_cast<uintptr_t>(form.hWnd())));
        EXPECT_EQ(redraws[0].args[3], RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    owned.reset();
    EXPECT_EQ(fake::Problems(), "");  // every brush, old and new, let go once
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ColourChanges,
    testing::Values(ColourChange{"scheme", WM_SYSCOLORCHANGE, 0, false, true},
                    ColourChange{"high_contrast_on", WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, true, true},
                    ColourChange{"another_setting", WM_SETTINGCHANGE, SPI_GETWORKAREA, true, false}),
    [](const testing::TestParamInfo<ColourChange>& test) { return test.param.name; });

struct FitCase {
    const char* name;
    friend void PrintTo(const FitCase& c, std::ostream* out) { *out << c.name; }
    form1::Label label;
    std::wstring text;
    std::vector<long long> heightsShaped;
    long long x;
};

class LabelText : public FormTest, public testing::WithParamInterface<FitCase> {};

// A label's text is shaped in its font; one wider than the label inside its
// border is shaped again in the largest size that fits (never below 6
// pixels), drawn aligned in the label and clipped to it, and the smaller
// font goes with the paint.
TEST_P(LabelText, FittedToTheLabelAndAlignedInIt) {
    const FitCase& c = GetParam();
    auto owned = std::make_unique<Form>(kForm1);
    Form& form = *owned;
    int liveBefore = 0;
    RunWith(form, {[&] {
                form[c.label].SetCaption(c.text);
                liveBefore = fake::LiveObjects();
                fake::ClearCalls();
                SendMessageW(form[c.label].Window(), WM_PAINT, 0, 0);
            }});
    std::vector<long long> heights;
    for (const fake::Call& call : fake::CallsNamed("ScriptStringAnalyse")) heights.push_back(call.args[4]);
    EXPECT_EQ(heights, c.heightsShaped);
    auto out = fake::CallsNamed("ScriptStringOut");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].args[0], c.x);
    EXPECT_EQ(out[0].args[2], ETO_CLIPPED);
    EXPECT_EQ(fake::CallsNamed("ScriptStringFree").size(), heights.size());
    EXPECT_EQ(fake::LiveObjects(), liveBefore);
    owned.reset();
    EXPECT_EQ(fake::Problems(), "");  // the smaller font put back out before it went
}

// At 96 DPI the form's font is 21 pixels high and the fake shapes each
// character half as wide. The clock is 97 pixels wide, 93 inside its border,
// right-aligned (its reading order's leading edge); the date 113, centred.
INSTANTIATE_TEST_SUITE_P(
    Cases, LabelText,
    testing::Values(FitCase{"fits", form1::Label1, L"10/12/2026", {21}, 4},
                    FitCase{"too_wide", form1::Label2, L"12:52:45 AM", {21, 16}, 6},
                    FitCase{"far_too_wide", form1::Label2, std::wstring(200, L'x'), {21, 6}, 2}),
    [](const testing::TestParamInfo<FitCase>& test) { return test.param.name; });

}  // namespace

namespace {

// A button is the platform's owner-drawn push button, a tab stop, with the
// runtime's procedure in front of the platform's: every message the runtime
// does not answer itself reaches the platform's.
TEST_F(FormTest, AButtonIsAnOwnerDrawnTabStopWhoseMessagesGoOnToThePlatform) {
    Form form(kForm1);
    HWND button = nullptr;
    LRESULT answered = 0;
    RunWith(form, {[&] {
                button = form[form1::Command1].Window();
                answered = SendMessageW(button, WM_KEYUP, L' ', 0);
            }});
    const fake::Window& window = fake::WindowOf(button);
    EXPECT_EQ(static_cast<DWORD>(window.style),
              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | BS_OWNERDRAW);
    EXPECT_EQ(window.exStyle, 0u);
    EXPECT_NE(fake::ProcedureOf(button), &fake::PlatformControlProc);
    EXPECT_EQ(window.seenByOwnProcedure.back().message, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(answered, window.OwnResultFor(WM_KEYUP));
}

struct ObjectCase {
    const char* name;
    friend void PrintTo(const ObjectCase& c, std::ostream* out) { *out << c.name; }
    UINT message;
    LRESULT runtimesAnswer;
    bool asksTheRuntime;
    bool platformAnswers;
};

class BoxObjects : public FormTest, public testing::WithParamInterface<ObjectCase> {};

// A reader's WM_GETOBJECT gets the runtime's accessible object where it makes
// one, the platform's otherwise; no other message asks for one.
TEST_P(BoxObjects, AReadersRequestGetsTheRuntimesObjectElseThePlatforms) {
    const ObjectCase& c = GetParam();
    fake::script().accessibleAnswer = c.runtimesAnswer;
    Form form(kForm1);
    HWND box = nullptr;
    LRESULT answer = 0;
    RunWith(form, {[&] {
                box = form[form1::b].Window();
                fake::ClearCalls();
                answer = SendMessageW(box, c.message, 3, -4);
            }});
    auto asked = fake::CallsNamed("AnswerAccessibleObject");
    ASSERT_EQ(asked.size(), c.asksTheRuntime ? 1u : 0u);
    if (c.asksTheRuntime) {
        std::vector<long long> request(asked[0].args.begin(), asked[0].args.begin() + 4);
        EXPECT_EQ(request, (std::vector<long long>{static_cast<long long>(reinterpret_cast<uintptr_t>(box)), 3, -4,
                                                   ROLE_SYSTEM_TEXT}));
    }
    const fake::Window& window = fake::WindowOf(box);
    bool platformSaw = window.seenByOwnProcedure.back().message == c.message;
    EXPECT_EQ(platformSaw, c.platformAnswers);
    EXPECT_EQ(answer, c.platformAnswers ? window.OwnResultFor(c.message) : c.runtimesAnswer);
}

INSTANTIATE_TEST_SUITE_P(Cases, BoxObjects,
                         testing::Values(ObjectCase{"the_runtimes", WM_GETOBJECT, 0x77, true, false},
                                         ObjectCase{"the_platforms", WM_GETOBJECT, 0, true, true},
                                         ObjectCase{"another_message", WM_SETFONT, 0x77, false, true},
                                         ObjectCase{"a_message_after_it", WM_NCCREATE, 0x77, false, true}),
                         [](const testing::TestParamInfo<ObjectCase>& test) { return test.param.name; });

// What the runtime answers itself for a box (a paste), it answers with 0;
// a window whose control has gone is left to the platform's default.
TEST_F(FormTest, ABoxsOwnAnswersAreZeroAndAnUntiedWindowGetsTheDefault) {
    fake::script().clipboard = std::u16string(1, u'5');
    Form form(kForm1);
    LRESULT pasted = -1, untied = -1;
    HWND box = nullptr;
    RunWith(form, {[&] {
                box = form[form1::b].Window();
                pasted = SendMessageW(box, WM_PASTE, 0, 0);
                SetWindowLongPtrW(box, GWLP_USERDATA, 0);
                fake::ClearCalls();
                untied = SendMessageW(box, WM_SETTEXT, 5, 6);
            }});
    EXPECT_EQ(pasted, 0);
    EXPECT_EQ(fake::WindowOf(box).wideText, L"5");
    auto defaults = fake::CallsNamed("DefWindowProcW");
    ASSERT_EQ(defaults.size(), 1u);
    EXPECT_EQ(defaults[0].args, (std::vector<long long>{static_cast<long long>(reinterpret_cast<uintptr_t>(box)),
                                                        WM_SETTEXT, 5, 6}));
    EXPECT_EQ(untied, fake::kDefaultAnswer);
}

}  // namespace
