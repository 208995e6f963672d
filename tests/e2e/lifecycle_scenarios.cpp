#include "scenarios.h"

#include <cmath>
#include <vector>

namespace e2e {
namespace {

bool Responding(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) != 0;
}

bool OneFormTitledZemrana() {
    std::vector<HWND> forms = VisibleForms();
    wchar_t title[64] = {};
    if (forms.size() == 1) GetWindowTextW(forms.front(), title, 64);
    return std::wstring(title) == L"Zemrana";
}

void SecondCopyRefuses(Checks& checks, const Program& first, const std::wstring& exePath) {
    Program second(exePath, false);
    bool sawWindow = false;
    bool ended = WaitUntil([&] {
        sawWindow = sawWindow || !VisibleForms(second.ProcessId()).empty();
        return second.WaitForExit(0);
    }, 5000);
    checks.Check(ended && !sawWindow, "a second copy ends within 5 s without a window");
    checks.Check(first.Running() && Responding(first.Form()) && OneFormTitledZemrana(),
                 "the first copy is unaffected: responding, one window titled Zemrana",
                 std::to_string(VisibleForms().size()) + " windows");
}

void TwoCopiesTogether(Checks& checks, const std::wstring& exePath) {
    Program one(exePath, false);
    Program two(exePath, false);
    bool settled = WaitUntil([&] {
        return one.WaitForExit(0) != two.WaitForExit(0) && VisibleForms().size() == 1;
    }, 10000);
    Sleep(500);
    checks.Check(settled && OneFormTitledZemrana(), "two copies started together leave exactly one window",
                 std::to_string(VisibleForms().size()) + " windows");
}

void ClockLabels(Checks& checks, const Program& program) {
    auto expectedTime = [] {
        wchar_t text[64] = {};
        GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, 64);
        return std::wstring(text);
    };
    wchar_t date[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 64);
    std::wstring shown;
    bool current = WaitUntil([&] {
        shown = program.Text(kLabel2);
        return shown == expectedTime();
    }, 1000);
    checks.Check(current, "the time label shows the current time in the user's format",
                 Narrow(shown) + " / " + Narrow(expectedTime()));
    checks.Check(program.Text(kLabel1) == date, "the date label shows today's date in the user's short format",
                 Narrow(program.Text(kLabel1)) + " / " + Narrow(date));
}

// Under Wine another process's CPU times cannot be read from Windows, so the
// test script samples the program's Linux process for 10 seconds from this
// mark on and judges the idle cost itself; the program stays idle meanwhile,
// with time to spare for the script to begin.
void LeaveIdle(const Program& program) {
    std::printf("# idle for 12 s: process %lu\n", static_cast<unsigned long>(program.ProcessId()));
    std::fflush(stdout);
    Sleep(12000);
}

// A hidden child window the driver puts into the form. Destroying the form
// sends WM_DESTROY to its children one by one and waits for each, so the form
// still stands where its unload left it while this child answers.
RECT formAtDestroy{};
bool destroyed = false;

LRESULT CALLBACK WitnessProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) destroyed = GetWindowRect(GetParent(window), &formAtDestroy) != 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

void CloseMovesToTheMiddle(Checks& checks, const Program& program) {
    RECT start;
    GetWindowRect(program.Form(), &start);
    int width = start.right - start.left;
    int height = start.bottom - start.top;
    SetWindowPos(program.Form(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);  // the corner
    bool inCorner = WaitUntil([&] {
        RECT area;
        GetWindowRect(program.Form(), &area);
        return area.left == 0 && area.top == 0;
    });

    HWND witness = CreateDriverChild(L"ZemranaCloseWitness", WitnessProc, program.Form());
    destroyed = false;
    PostMessageW(program.Form(), WM_CLOSE, 0, 0);
    bool ended = WaitUntil([&] {
        PumpMessages();
        return program.WaitForExit(0);
    }, 5000);

    RECT workArea;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    long expectedLeft = std::lround((workArea.right - width) / 2.0);
    long expectedTop = std::lround((workArea.bottom - height) / 2.0);
    bool centred = inCorner && witness && destroyed && std::labs(formAtDestroy.left - expectedLeft) <= 1 &&
                   std::labs(formAtDestroy.top - expectedTop) <= 1 && formAtDestroy.right - formAtDestroy.left == width;
    std::string seen = destroyed ? "(" + std::to_string(formAtDestroy.left) + "," +
                                       std::to_string(formAtDestroy.top) + ")"
                                 : "nothing";
    checks.Check(centred, "closing moves the window from the corner to the middle of the work area",
                 "expected (" + std::to_string(expectedLeft) + "," + std::to_string(expectedTop) + "), saw " + seen);
    checks.Check(ended, "the process ends when its window is closed");
}

}  // namespace

void RunLifecycleScenarios(Checks& checks, const std::wstring& exePath) {
    Program program(exePath);
    checks.Check(program.Started(), "the program starts for the lifecycle checks");
    if (!program.Started()) return;
    SecondCopyRefuses(checks, program, exePath);
    LeaveIdle(program);
    CloseMovesToTheMiddle(checks, program);
    TwoCopiesTogether(checks, exePath);
}

void RunClockScenarios(Checks& checks, const std::wstring& exePath) {
    Program program(exePath);
    checks.Check(program.Started(), "the program starts for the clock checks");
    if (!program.Started()) return;
    ClockLabels(checks, program);
}

}  // namespace e2e
