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
        fake::Record("controls made", {IsWindow(WindowOf((*loading)[form1::Label4]))});
    };
    EXPECT_EQ(RunWith(form, {}), 0);
    EXPECT_FALSE(g_visibleAtLoad);
    EXPECT_EQ(g_focusAtLoad, nullptr);
    EXPECT_EQ(fake::CallsNamed("controls made")[0].args[0], TRUE);
    EXPECT_EQ(CallNamesAmong({"Load", "ShowWindow", "SetFocus", "UpdateWindow"}),
              (std::vector<std::string>{"Load", "ShowWindow", "SetFocus", "UpdateWindow"}));
    EXPECT_EQ(fake::CallsNamed("SetFocus")[0].args[0],
              static_cast<long long>(reinterpret_cast<uintptr_t>(WindowOf(form[form1::b]))));
    // Every class the runtime registers is the program's own.
    auto classes = fake::CallsNamed("RegisterClassExW");
    EXPECT_EQ(classes.size(), 4u);
    for (const fake::Call& registered : classes) EXPECT_EQ(registered.args[0], 0x400000) << registered.text;
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
    fake::script().idleSteps = {[] { fake::Post(WindowOf((*form)[form1::b]), WM_KEYDOWN, VK_ESCAPE); },
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
    RunWith(form, {[&] { fake::Post(WindowOf(form[form1::b]), WM_KEYDOWN, VK_RETURN); },
                   [&] { fake::Post(WindowOf(form[form1::b]), WM_KEYDOWN, VK_RETURN); }});
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
                    StartFailure{"the_timer", L"", L"ZemranaTimer", forms::kExitWindowNotCreated}),
    [](const testing::TestParamInfo<StartFailure>& test) { return test.param.name; });

}  // namespace
