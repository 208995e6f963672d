// Timings of the running program, taken from outside as a user would see
// them. Prints one line per measure: name|median|min|max|unit.
//   bench_driver startup <Zemrana.exe> <bare_window.exe> <runs>
//   bench_driver key <Zemrana.exe> <runs>
#include "harness.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

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

struct PaintedSearch {
    DWORD processId;
    COLORREF desktop;
    HWND found;
};

BOOL CALLBACK NotePaintedWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<PaintedSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    RECT area;
    if (owner != search->processId || !IsWindowVisible(window) || !GetWindowRect(window, &area)) return TRUE;
    int frame = GetSystemMetrics(SM_CXDLGFRAME);
    if (e2e::ScreenPixel((area.left + area.right) / 2, area.top + frame + 2) == search->desktop) return TRUE;
    search->found = window;
    return FALSE;
}

// The first top-level window of a process that is visible with its caption
// painted (a caption pixel no longer shows the desktop behind it).
HWND PaintedWindow(DWORD processId, COLORREF desktop) {
    PaintedSearch search{processId, desktop, nullptr};
    EnumWindows(NotePaintedWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// From process start to its window visible with the caption painted, in ms.
double StartupMilliseconds(const std::wstring& exePath, COLORREF desktop) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + exePath + L"\"";
    double start = Now();
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return -1;
    }
    HWND window = nullptr;
    while (!(window = PaintedWindow(process.dwProcessId, desktop)) && Now() - start < 20) Sleep(0);
    double elapsed = (Now() - start) * 1000;
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return window ? elapsed : -1;
}

int Startup(const std::wstring& zemrana, const std::wstring& bare, int runs) {
    COLORREF desktop = e2e::ScreenPixel(400, 300);  // where the windows' captions will lie
    std::vector<double> program, floor;
    StartupMilliseconds(zemrana, desktop);  // warm-up: files and fonts in the cache
    StartupMilliseconds(bare, desktop);
    for (int run = 0; run < runs; ++run) {  // interleaved, so that drift hits both alike
        program.push_back(StartupMilliseconds(zemrana, desktop));
        floor.push_back(StartupMilliseconds(bare, desktop));
        Sleep(200);
    }
    Print("startup Zemrana.exe", program, "ms");
    Print("startup bare window", floor, "ms");
    return 0;
}

int KeyToResult(const std::wstring& zemrana, int runs) {
    e2e::Program program(zemrana);
    if (!program.Started()) return 1;
    program.Activate();
    HWND input = program.Control(e2e::kB);
    std::vector<double> milliseconds;
    for (int run = 0; run < runs; ++run) {
        program.Press(VK_SPACE);
        e2e::WaitUntil([&] { return program.Text(e2e::kF).empty() && program.Text(e2e::kB).empty(); });
        program.Type(L"1234567");
        e2e::WaitUntil([&] { return program.Text(e2e::kB) == L"1234567"; });
        double start = Now();
        PostMessageW(input, WM_KEYDOWN, VK_RETURN, 1);
        while (program.Text(e2e::kF) != L"955.55442" && Now() - start < 5) {
        }
        milliseconds.push_back((Now() - start) * 1000);
    }
    Print("key to result", milliseconds, "ms");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"startup" && argc == 5) return Startup(argv[2], argv[3], _wtoi(argv[4]));
    if (mode == L"key" && argc == 4) return KeyToResult(argv[2], _wtoi(argv[3]));
    std::fprintf(stderr, "usage: bench_driver startup <Zemrana.exe> <bare_window.exe> <runs>\n"
                         "       bench_driver key <Zemrana.exe> <runs>\n");
    return 2;
}
