#include "scenarios.h"

#include <cmath>
#include <vector>

namespace e2e {
namespace {

struct Started {
    PROCESS_INFORMATION process{};
    bool ok = false;
};

Started StartCopy(const std::wstring& exePath) {
    Started copy;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exePath + L"\"";
    copy.ok = CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &copy.process) != 0;
    return copy;
}

void Close(Started& copy) {
    if (!copy.ok) return;
    if (WaitForSingleObject(copy.process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(copy.process.hProcess, 1);
    CloseHandle(copy.process.hProcess);
    CloseHandle(copy.process.hThread);
    copy.ok = false;
}

struct WindowCount {
    DWORD processId;  // 0: any process
    int count;
};

BOOL CALLBACK CountForms(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowCount*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    if (lstrcmpW(className, L"ZemranaForm") == 0 && lstrcmpW(title, L"Zemrana") == 0 && IsWindowVisible(window) &&
        (search->processId == 0 || search->processId == processId)) {
        ++search->count;
    }
    return TRUE;
}

int VisibleForms(DWORD processId = 0) {
    WindowCount search{processId, 0};
    EnumWindows(CountForms, reinterpret_cast<LPARAM>(&search));
    return search.count;
}

bool Responding(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) != 0;
}

void SecondCopyRefuses(Checks& checks, const Program& first, const std::wstring& exePath) {
    Started second = StartCopy(exePath);
    bool sawWindow = false;
    bool ended = WaitUntil([&] {
        sawWindow = sawWindow || VisibleForms(second.process.dwProcessId) > 0;
        return WaitForSingleObject(second.process.hProcess, 0) == WAIT_OBJECT_0;
    }, 5000);
    checks.Check(second.ok && ended && !sawWindow, "a second copy ends within 5 s without a window");
    checks.Check(first.Running() && Responding(first.Form()) && VisibleForms() == 1,
                 "the first copy is unaffected: responding, one window titled Zemrana",
                 std::to_string(VisibleForms()) + " windows");
    Close(second);
}

void TwoCopiesTogether(Checks& checks, const std::wstring& exePath) {
    Started one = StartCopy(exePath);
    Started two = StartCopy(exePath);
    bool settled = WaitUntil([&] {
        bool oneEnded = WaitForSingleObject(one.process.hProcess, 0) == WAIT_OBJECT_0;
        bool twoEnded = WaitForSingleObject(two.process.hProcess, 0) == WAIT_OBJECT_0;
        return oneEnded != twoEnded && VisibleForms() == 1;
    }, 10000);
    Sleep(500);
    checks.Check(settled && VisibleForms() == 1, "two copies started together leave exactly one window",
                 std::to_string(VisibleForms()) + " windows");
    Close(one);
    Close(two);
    WaitUntil([] { return VisibleForms() == 0; });
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
// test script samples the program's Linux process between these two marks.
void IdleCost(const Program& program) {
    std::printf("# idle-start %lu\n", static_cast<unsigned long>(program.ProcessId()));
    std::fflush(stdout);
    Sleep(10000);
    std::printf("# idle-end\n");
    std::fflush(stdout);
}

// The window that becomes active when the form hides on its way out: the
// form still exists then, at the place it was moved to.
std::vector<RECT> formPositions;
HWND watchedForm = nullptr;

LRESULT CALLBACK WitnessProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    RECT area;
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && IsWindow(watchedForm) &&
        GetWindowRect(watchedForm, &area)) {
        formPositions.push_back(area);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateWitness() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WitnessProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ZemranaCloseWitness";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, windowClass.lpszClassName, L"witness", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700, 600, 200,
                           100, nullptr, nullptr, windowClass.hInstance, nullptr);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

void CloseMovesToTheMiddle(Checks& checks, const Program& program) {
    HWND witness = CreateWitness();
    program.Activate();
    PumpMessages();
    RECT start;
    GetWindowRect(program.Form(), &start);
    int width = start.right - start.left;
    int height = start.bottom - start.top;
    SetWindowPos(program.Form(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);  // the corner
    WaitUntil([&] {
        RECT area;
        GetWindowRect(program.Form(), &area);
        return area.left == 0 && area.top == 0;
    });

    // The witness can only see the form go if the form is the active window.
    for (int attempt = 0; attempt < 3 && GetForegroundWindow() != program.Form(); ++attempt) {
        program.Activate();
        PumpMessages();
    }
    watchedForm = program.Form();
    formPositions.clear();
    PostMessageW(program.Form(), WM_CLOSE, 0, 0);
    bool ended = WaitUntil([&] {
        PumpMessages();
        return program.WaitForExit(0);
    }, 5000);
    DestroyWindow(witness);

    RECT workArea;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    long expectedLeft = std::lround((workArea.right - width) / 2.0);
    long expectedTop = std::lround((workArea.bottom - height) / 2.0);
    bool centred = false;
    std::string seen;
    for (const RECT& area : formPositions) {
        centred = centred || (std::labs(area.left - expectedLeft) <= 1 && std::labs(area.top - expectedTop) <= 1 &&
                              area.right - area.left == width);
        seen += "(" + std::to_string(area.left) + "," + std::to_string(area.top) + ") ";
    }
    checks.Check(centred, "closing moves the window from the corner to the middle of the work area",
                 "expected (" + std::to_string(expectedLeft) + "," + std::to_string(expectedTop) + "), saw " + seen);
    checks.Check(ended, "the process ends when its window is closed");
}

}  // namespace

void RunLifecycleScenarios(Checks& checks, const std::wstring& exePath) {
    Program program(exePath);
    checks.Check(program.Started(), "the program starts for the lifecycle checks");
    if (!program.Started()) return;
    ClockLabels(checks, program);
    SecondCopyRefuses(checks, program, exePath);
    IdleCost(program);
    CloseMovesToTheMiddle(checks, program);
    TwoCopiesTogether(checks, exePath);
}

}  // namespace e2e
