#include "driver_support.h"

#include "harness.h"

#include <algorithm>
#include <cstdio>

namespace bench {

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Print(const char* name, std::vector<double> values, const char* unit) {
    std::sort(values.begin(), values.end());
    std::printf("%s|%.2f|%.2f|%.2f|%s\n", name, values[values.size() / 2], values.front(), values.back(), unit);
    std::fflush(stdout);
}

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK NoteWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

// The first top-level window of a process that is visible, among all the
// desktop's windows.
HWND VisibleWindow(DWORD processId) {
    WindowSearch search{processId, nullptr};
    EnumWindows(NoteWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<double>& ValuesOf(Figures& figures, const std::string& name) {
    auto entry = std::find_if(figures.begin(), figures.end(), [&](const auto& e) { return e.first == name; });
    if (entry == figures.end()) entry = figures.insert(figures.end(), {name, {}});
    return entry->second;
}

bool Start(const std::wstring& exePath, const std::wstring& arguments, PROCESS_INFORMATION& process) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exePath + L"\"" + arguments;
    return CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process) != FALSE;
}

void Close(PROCESS_INFORMATION& process) {
    if (HWND window = VisibleWindow(process.dwProcessId)) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

namespace {

BOOL CALLBACK NoteShown(HWND window, LPARAM found) {
    if (!IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

HWND ShownOfThread(DWORD threadId) {
    HWND found = nullptr;
    EnumThreadWindows(threadId, NoteShown, reinterpret_cast<LPARAM>(&found));
    return found;
}

void DispatchWaiting() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// Whether the window's caption has been painted: a pixel of it no longer
// shows the desktop behind it.
bool CaptionPainted(HWND window, COLORREF desktop) {
    RECT area;
    if (!GetWindowRect(window, &area)) return false;
    int frame = GetSystemMetrics(SM_CXDLGFRAME);
    return e2e::ScreenPixel((area.left + area.right) / 2, area.top + frame + 2) != desktop;
}

}  // namespace bench
