// The form's life as its code sees it: Load before the window shows, Unload
// before it is destroyed (and not at all when cancelled), nothing after End,
// and the starts that cannot build the window.

#include "form_test_support.h"

#include <cstdio>
#include <cstdint>
#include <ostream>
#include <stdexcept>

namespace {

using forms::Form;

// What the window looked like when Load ran.
bool g_visibleAtLoad = true;
HWND g_focusAtLoad = reinterpret_cast<HWND>(1);

void OnLoad() {
    Heard().push_back("Load");
    fake::Record("Load");
}
void Refuse(int16_t& cancel) {
    Heard().push_back("Unload refused");
    fake::Record("Unload");
    cancel = 1;
}
void Allow(int16_t&) {
    Heard().push_back("Unload");
    fake::Record("Unload");
}
void Throws() {
    Heard().push_back("threw");
    throw std::runtime_error("a handler's failure");
}

TEST_F(FormTest, LoadRunsWithTheControlsMadeBeforeTheWindowShowsWithTheFocusInTheFirstStop) {
    static Form* loading = nullptr;
    Form form(kForm1);
    loading = &form;
    form.onLoad = [] {
        OnLoad();
        g_visibleAtLoad = fake::WindowOf(loading->hWnd()).visible;
        g_focusAtLoad = GetFocus();
        fake::Record("controls made", {IsWindow((*loading)[form1::Label4].Window())});
    };
    EXPECT_EQ(RunWith(form, {}), 0);
    EXPECT_FALSE(g_visibleAtLoad);
    EXPECT_EQ(g_focusAtLoad, nullptr);
    EXPECT_EQ(fake::CallsNamed("controls made")[0].args[0], TRUE);
    EXPECT_EQ(CallNamesAmong({"Load", "ShowWindow", "SetFocus", "UpdateWindow"}),
              (std::vector<std::string>{"Load", "ShowWindow", "SetFocus", "UpdateWindow"}));
    EXPECT_EQ(fake::CallsNamed("SetFocus")[0].args[0],
              static_cast<long long>(reinterpret_cast<uintptr_t>(form[form1::b].Window())));
    // Every class the runtime registers is the program's own, with the arrow for a pointer.
    auto classes = fake::CallsNamed("RegisterClassExW");
    EXPECT_EQ(classes.size(), 4u);
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    for (const fake::Call& registered : classes) {
        EXPECT_EQ(registered.args[0], 0x400000) << registered.text;
        EXPECT_EQ(registered.args[3], static_cast<long long>(reinterpret_cast<uintptr_t>(arrow))) << registered.text;
    }
}

// Asked to close, the form raises Unload; cancelled, it stays; allowed, its
// window goes after the handler, the loop ends and Run returns.
TEST_F(FormTest, UnloadRunsBeforeTheWindowGoesAndACancelKeepsIt) {
    Form refusing(kForm1);
    refusing.onUnload = Refuse;
    bool stillThere = false;
    RunWith(refusing, {[&] { fake::Post(refusing.hWnd(), WM_CLOSE); },
                       [&] { stillThere = IsWindow(refusing.hWnd()) != FALSE; }});
    EXPECT_TRUE(stillThere);
    EXPECT_EQ(Heard(), (std::vector<std::string>{"Unload refused"}));
    EXPECT_TRUE(fake::CallsNamed("DestroyWindow").empty());

    fake::Reset();
    Heard().clear();
    Form closing(kForm1);
    closing.onUnload = Allow;
    bool stepAfterClose = false;
    EXPECT_EQ(RunWith(closing, {[&] { fake::Post(closing.hWnd(), WM_CLOSE); }, [&] { stepAfterClose = true; }}), 0);
    // The form's window, then the timer's, which outlives no form.
    EXPECT_EQ(CallNamesAmong({"Unload", "DestroyWindow", "PostQuitMessage"}),
              (std::vector<std::string>{"Unload", "DestroyWindow", "DestroyWindow", "PostQuitMessage"}));
    EXPECT_FALSE(IsWindow(closing.hWnd()));
    EXPECT_TRUE(fake::WindowsOfClass(L"ZemranaTimer").size() == 1 &&
                !IsWindow(fake::WindowsOfClass(L"ZemranaTimer")[0]));
    EXPECT_FALSE(stepAfterClose);  // the loop ended at the quit message
}

// A form unloaded while it loads (another copy already runs) is never shown.
TEST_F(FormTest, AFormUnloadedDuringLoadIsNeverShown) {
    static Form* loading = nullptr;
    Form form(kForm1);
    loading = &form;
    form.onLoad = [] { loading->Unload(); };
    EXPECT_EQ(RunWith(form, {}), 0);
    EXPECT_TRUE(fake::CallsNamed("ShowWindow").empty());
    EXPECT_FALSE(IsWindow(form.hWnd()));
}

// End stops the process at once: no Unload, no message after it. Run in a
// process of its own, which the fake's ExitProcess ends.
void EndAndTellWhatFollows() {
    static Form* form = nullptr;
    static Form ending(kForm1);
    form = &ending;
    ending[form1::Command2].onClick = [] { Form::End(); };
    ending.onUnload = [](int16_t&) { std::fprintf(stderr, "Unload\n"); };
    fake::script().idleSteps = {[] { fake::Post((*form)[form1::b].Window(), WM_KEYDOWN, VK_ESCAPE); },
                                [] { std::fprintf(stderr, "after End\n"); }};
    form->Run(nullptr);
    std::fprintf(stderr, "Run returned\n");
}

TEST(FormEnd, EndsTheProcessAtOnceWithNoEventAfter) {
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    fake::Reset();
    EXPECT_EXIT(EndAndTellWhatFollows(), testing::ExitedWithCode(0), "^exit 0\n$");
}

// A handler that throws ends its own event; the form goes on.
TEST_F(FormTest, AThrowingHandlerEndsOnlyItsEvent) {
    Form form(kForm1);
    form[form1::Command1].onClick = Throws;
    form.onLoad = OnLoad;
    RunWith(form, {[&] { fake::Post(form[form1::b].Window(), WM_KEYDOWN, VK_RETURN); },
                   [&] { fake::Post(form[form1::b].Window(), WM_KEYDOWN, VK_RETURN); }});
    EXPECT_EQ(Heard(), (std::vector<std::string>{"Load", "threw", "threw"}));
}

struct StartFailure {
    const char* name;
    friend void PrintTo(const StartFailure& c, std::ostream* out) { *out << c.name; }
    std::wstring refusedClass;
    std::wstring refusedWindowClass;
    int exitCode;
};

class FailedStart : public FormTest, public testing::WithParamInterface<StartFailure> {};

// Where the platform cannot make the form's classes, its window or one of
// its controls, Run says which with its exit code; nothing is shown, no
// event is raised, and nothing made is left behind.
TEST_P(FailedStart, EndsWithItsExitCodeShowingNothing) {
    const StartFailure& c = GetParam();
    fake::script().refusedClass = c.refusedClass;
    fake::script().refusedWindowClass = c.refusedWindowClass;
    int objectsBefore = fake::LiveObjects();
    {
        Form form(kForm1);
        form.onLoad = OnLoad;
        EXPECT_EQ(RunWith(form, {}), c.exitCode);
        EXPECT_TRUE(Heard().empty());
        EXPECT_TRUE(fake::CallsNamed("ShowWindow").empty());
        if (form.hWnd()) {
            EXPECT_FALSE(IsWindow(form.hWnd()));
        }
    }
    EXPECT_EQ(fake::LiveObjects(), objectsBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedStart,
    testing::Values(StartFailure{"form_class", L"ZemranaForm", L"", forms::kExitClassNotRegistered},
                    StartFailure{"label_class", L"ZemranaLabel", L"", forms::kExitClassNotRegistered},
                    StartFailure{"form_window", L"", L"ZemranaForm", forms::kExitWindowNotCreated},
                    StartFailure{"an_edit_box", L"", L"EDIT", forms::kExitWindowNotCreated},
                    StartFailure{"a_label", L"", L"ZemranaLabel", forms::kExitWindowNotCreated},
                    StartFailure{"the_timer", L"", L"ZemranaTimer", forms::kExitWindowNotCreated},
                    StartFailure{"timer_class", L"ZemranaTimer", L"", forms::kExitClassNotRegistered},
                    StartFailure{"a_button", L"", L"BUTTON", forms::kExitWindowNotCreated}),
    [](const testing::TestParamInfo<StartFailure>& test) { return test.param.name; });

}  // namespace

namespace {

// The start-up's phases end in this order, each where the benchmarks' twin
// takes its mark: the screen's DPI (its DC given back), every font, the
// colours, the classes, the window, the controls made and stacked, Load, the show with the focus placed, the first
// paint, and only then the loop.
TEST_F(FormTest, StartsUpInItsPhasesAtTheScreensDpi) {
    fake::script().dpi = 144;
    Form form(kForm1);
    form.onLoad = OnLoad;
    RunWith(form, {});
    std::vector<std::string> phases;
    std::string previous;
    for (const std::string& name : fake::CallNames()) {
        bool wanted = name.rfind("Mark ", 0) == 0 || name.rfind("PaintCosts", 0) == 0 || name == "Load" ||
                      name == "GetDeviceCaps" || name == "ReleaseDC" || name == "CreateFontIndirectW" ||
                      name == "CreateSolidBrush" || name == "GetWindow" || name == "RegisterClassExW" ||
                      name == "ShowWindow" || name == "SetFocus" ||
                      name == "UpdateWindow" || name == "MeasureRepaintsOnceIdle" || name == "GetMessageW";
        if (wanted && name != previous) phases.push_back(name);  // a run of one call counts once
        if (wanted) previous = name;
    }
    EXPECT_EQ(phases, (std::vector<std::string>{
                          "GetDeviceCaps", "ReleaseDC", "Mark screen DPI (the display's first use)",
                          "CreateFontIndirectW", "Mark font lookup", "CreateSolidBrush", "RegisterClassExW",
                          "Mark class registration", "Mark window creation", "GetWindow", "Mark control creation",
                          "Load", "Mark Form_Load", "ShowWindow", "SetFocus", "Mark show", "PaintCosts first paint",
                          "UpdateWindow", "PaintCosts end", "Mark first paint", "MeasureRepaintsOnceIdle",
                          "GetMessageW"}));
    auto screen = fake::CallsNamed("GetDC").at(0);
    EXPECT_EQ(fake::CallsNamed("ReleaseDC").at(0).args, (std::vector<long long>{0, screen.args[1]}));  // once read

    // At 144 DPI: 1.5 pixels a point, 10 twips a pixel.
    EXPECT_EQ(fake::CallsNamed("CreateFontIndirectW").front().args[0], -32);  // the form's 15.75 points
    const RECT& box = fake::WindowOf(form[form1::b].Window()).rect;
    EXPECT_EQ(box.right - box.left, 218);  // 2175 twips
    for (const fake::Call& created : fake::CallsNamed("CreateWindowExW")) {
        EXPECT_EQ(created.args[8], 0x400000) << created.text;  // every window the program's own
    }
    auto shown = fake::CallsNamed("ShowWindow");
    auto updated = fake::CallsNamed("UpdateWindow");
    auto formWindow = static_cast<long long>(reinterpret_cast<uintptr_t>(form.hWnd()));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].args, (std::vector<long long>{formWindow, SW_SHOW}));
    EXPECT_EQ(updated.at(0).args[0], formWindow);
    EXPECT_EQ(fake::CallsNamed("MeasureRepaintsOnceIdle").at(0).args[0], formWindow);
    EXPECT_EQ(fake::CallsNamed("GetMessageW").at(0).args, (std::vector<long long>{0, 0, 0}));  // every message
}

// Within each container the controls lie in the description's order, every
// label beneath the others, wherever the platform put each new window.
TEST_F(FormTest, ControlsAreStackedAsDescribedWhereverThePlatformPutsThem) {
    for (bool onTop : {false, true}) {
        fake::Reset();
        fake::script().newWindowsOnTop = onTop;
        Form form(kForm1);
        RunWith(form, {});
        for (HWND container : {form.hWnd(), form[form1::Frame1].Window()}) {
            std::vector<std::string> stacked, described;
            for (HWND child : fake::Children(container)) {
                stacked.push_back(fake::Narrow(fake::WindowOf(child).className));
            }
            for (bool labels : {false, true}) {
                for (size_t i = 0; i < kForm1.controlCount; ++i) {
                    const forms::ControlDescription& d = kForm1.controls[i];
                    HWND window = form[form1::Frame1].Window();
                    bool inside = d.container != forms::kOnForm;
                    if (d.kind == forms::ControlKind::Timer || (d.kind == forms::ControlKind::Label) != labels ||
                        inside != (container == window)) {
                        continue;
                    }
                    described.push_back(d.kind == forms::ControlKind::Label       ? "ZemranaLabel"
                                        : d.kind == forms::ControlKind::Frame     ? "ZemranaFrame"
                                        : d.kind == forms::ControlKind::TextBox   ? "EDIT"
                                                                                  : "BUTTON");
                }
            }
            EXPECT_EQ(stacked, described) << (onTop ? "new windows on top" : "new windows beneath");
        }
    }
}

// The loop translates each message before dispatching it, ends with the
// quit message's code, and ends too when the platform cannot wait.
TEST_F(FormTest, TheLoopTranslatesThenDispatchesAndEndsWithTheQuitCode) {
    Form form(kForm1);
    EXPECT_EQ(RunWith(form, {[&] {
                  fake::Post(form[form1::b].Window(), WM_CHAR, L'5');
                  fake::Post(nullptr, WM_QUIT, 7);
              }}),
              7);
    auto names = CallNamesAmong({"TranslateMessage", "DispatchMessageW"});
    EXPECT_EQ(names, (std::vector<std::string>{"TranslateMessage", "DispatchMessageW"}));

    fake::Reset();
    fake::script().getMessageFails = true;
    Form failing(kForm1);
    EXPECT_EQ(RunWith(failing, {}), 0);
}

// A cancel is any nonzero flag: VB's True is -1.
TEST_F(FormTest, AnUnloadCancelledWithTrueKeepsTheForm) {
    Form form(kForm1);
    form.onUnload = [](int16_t& cancel) { cancel = -1; };
    bool stillThere = false;
    RunWith(form, {[&] { fake::Post(form.hWnd(), WM_CLOSE); }, [&] { stillThere = IsWindow(form.hWnd()) != FALSE; }});
    EXPECT_TRUE(stillThere);
}

// The tooltips' DLL is loaded at the pointer's first move over the form, once,
// and never for keys.
TEST_F(FormTest, TheTooltipsWaitForThePointer) {
    Form form(kForm1);
    auto comctl32Loads = [] {
        std::vector<fake::Call> loads;
        for (const fake::Call& load : fake::CallsNamed("LoadLibraryExW")) {
            if (load.text == "C:\\windows\\system32\\comctl32.dll") loads.push_back(load);
        }
        return loads;
    };
    size_t afterKeys = 0;
    RunWith(form, {[&] { fake::Post(form[form1::b].Window(), WM_CHAR, L'1'); },
                   [&] {
                       afterKeys = comctl32Loads().size();
                       fake::Post(form.hWnd(), WM_MOUSEMOVE);
                       fake::Post(form.hWnd(), WM_MOUSEMOVE);
                   }});
    EXPECT_EQ(afterKeys, 0u);
    EXPECT_EQ(comctl32Loads().size(), 1u);
}

}  // namespace
