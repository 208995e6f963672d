// Timings of the running program, taken from outside as a user would see
// them. Prints one line per measure: name|median|min|max|unit.
//   bench_driver startup <Zemrana.exe> <bare_window.exe> <plain_twin.exe> <runs>
//   bench_driver timings <zemrana_timed.exe> <plain_twin.exe> <runs> <directory>
//   bench_driver key <Zemrana.exe> <runs>
#include "harness.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

struct WindowSearch {
    DWORD processId;
    COLORREF desktop;  // CLR_INVALID: any visible window will do
    HWND found;
};

BOOL CALLBACK NoteWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    RECT area;
    if (owner != search->processId || !IsWindowVisible(window) || !GetWindowRect(window, &area)) return TRUE;
    int frame = GetSystemMetrics(SM_CXDLGFRAME);
    if (search->desktop != CLR_INVALID &&
        e2e::ScreenPixel((area.left + area.right) / 2, area.top + frame + 2) == search->desktop) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

// The first top-level window of a process that is visible and, when the
// desktop's colour is given, has its caption painted (a caption pixel no
// longer shows the desktop behind it).
HWND VisibleWindow(DWORD processId, COLORREF desktop) {
    WindowSearch search{processId, desktop, nullptr};
    EnumWindows(NoteWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Figures by name, in the order first noted.
using Figures = std::vector<std::pair<std::string, std::vector<double>>>;

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
    if (HWND window = VisibleWindow(process.dwProcessId, CLR_INVALID)) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

// The driver's own processor time, in seconds.
double OwnCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& time) {
        return static_cast<double>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// The start being watched. The platform tells the driver, out of context,
// of each window the process creates (Wine 8 reports no window shown); the
// driver looks whether one of them is visible every 2 ms and sleeps
// between, so that it takes as little as it can from the start it measures.
struct Watched {
    DWORD processId = 0;
    std::vector<HWND> topLevel;
};
Watched watched;

void CALLBACK NoteCreated(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (object != OBJID_WINDOW || child != CHILDID_SELF) return;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == watched.processId && !(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) {
        watched.topLevel.push_back(window);
    }
}

bool AnyShown() {
    return std::any_of(watched.topLevel.begin(), watched.topLevel.end(), [](HWND w) { return IsWindowVisible(w); });
}

// Starts a program and waits until one of its top-level windows shows.
// Returns the seconds from CreateProcess to then, or -1.
double StartAndWaitUntilShown(const std::wstring& exePath, const std::wstring& arguments,
                              PROCESS_INFORMATION& process) {
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, NoteCreated, 0, 0,
                                         WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    watched = Watched{};
    double start = Now();
    if (!Start(exePath, arguments, process)) {
        UnhookWinEvent(hook);
        return -1;
    }
    watched.processId = process.dwProcessId;
    double shown = -1;
    while (Now() - start < 20) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        if (AnyShown()) {
            shown = Now() - start;
            break;
        }
    }
    UnhookWinEvent(hook);
    return shown;
}

struct Startup {
    double visible = -1;    // ms from CreateProcess to the window shown
    double painted = -1;    // ... and to its caption painted
    double watched = 0;     // seconds the driver watched the start
    double observing = 0;   // ... and the processor seconds it took meanwhile
};

// Starts the program, times it to its window shown and to its caption
// painted (looked for every 5 ms), and closes it again.
Startup TimeStartup(const std::wstring& exePath, COLORREF desktop) {
    Startup times;
    PROCESS_INFORMATION process{};
    double cpuBefore = OwnCpuSeconds();
    double start = Now();
    double shown = StartAndWaitUntilShown(exePath, L"", process);
    if (shown < 0) {
        if (process.hProcess) Close(process);
        return times;
    }
    times.visible = shown * 1000;
    while (!VisibleWindow(process.dwProcessId, desktop) && Now() - start < 20) Sleep(5);
    double end = Now();
    if (end - start < 20) times.painted = (end - start) * 1000;
    times.watched = end - start;
    times.observing = OwnCpuSeconds() - cpuBefore;
    Close(process);
    return times;
}

// Alternating starts of the program and its two floors, so that drift hits
// all alike: the bare window and the plain twin of the program's window.
int StartupTimes(const std::wstring& zemrana, const std::wstring& bare, const std::wstring& twin, int runs) {
    COLORREF desktop = e2e::ScreenPixel(400, 300);  // where the windows' captions will lie
    struct Program {
        const char* name;
        std::wstring path;
        std::vector<double> visible, painted;
    };
    Program programs[] = {{"Zemrana.exe", zemrana, {}, {}}, {"bare window", bare, {}, {}},
                          {"plain twin", twin, {}, {}}};
    double watchedSeconds = 0;
    double observingSeconds = 0;
    for (Program& program : programs) TimeStartup(program.path, desktop);  // warm-up: files and fonts in the cache
    for (int run = 0; run < runs; ++run) {
        for (Program& program : programs) {
            Startup times = TimeStartup(program.path, desktop);
            program.visible.push_back(times.visible);
            program.painted.push_back(times.painted);
            watchedSeconds += times.watched;
            observingSeconds += times.observing;
            Sleep(200);  // the closed program's teardown is over
        }
    }
    for (Program& program : programs) {
        Print(("startup visible " + std::string(program.name)).c_str(), program.visible, "ms");
        Print(("startup painted " + std::string(program.name)).c_str(), program.painted, "ms");
    }
    // The processor clock ticks too coarsely for one start: the sum of all.
    Print("startup observer", {watchedSeconds > 0 ? 100 * observingSeconds / watchedSeconds : -1}, "%");
    return 0;
}

// One start with --timings: the figures the program wrote, by name. A name
// noted several times in one start (the full repaints) gives its median.
// The driver watches the start as in the start-up runs and waits quietly
// while the window repaints itself.
std::vector<std::pair<std::string, double>> RunWithTimings(const std::wstring& exePath, const std::wstring& file,
                                                           COLORREF desktop) {
    DeleteFileW(file.c_str());
    PROCESS_INFORMATION process{};
    if (StartAndWaitUntilShown(exePath, L" --timings \"" + file + L"\"", process) < 0) {
        if (process.hProcess) Close(process);
        return {};
    }
    Figures noted;
    double start = Now();
    while (!VisibleWindow(process.dwProcessId, desktop) && Now() - start < 20) Sleep(5);
    FILE* figures = nullptr;
    while (!(figures = _wfopen(file.c_str(), L"r")) && Now() - start < 30) Sleep(20);
    if (figures) {
        char line[256];
        while (std::fgets(line, sizeof line, figures)) {
            char* bar = std::strrchr(line, '|');
            if (!bar) continue;
            ValuesOf(noted, std::string(line, bar)).push_back(std::atof(bar + 1));
        }
        std::fclose(figures);
    }
    Close(process);
    Sleep(200);  // as between the start-up runs: the closed program's teardown is over
    std::vector<std::pair<std::string, double>> result;
    for (auto& [name, values] : noted) {
        std::sort(values.begin(), values.end());
        result.emplace_back(name, values[values.size() / 2]);
    }
    return result;
}

// Alternating starts of the program and its plain twin, each with --timings:
// the start-up phases and the full repaint of both, median over the runs.
int Timings(const std::wstring& zemrana, const std::wstring& twin, int runs, const std::wstring& directory) {
    COLORREF desktop = e2e::ScreenPixel(400, 300);
    Figures figures;
    auto note = [&](const std::string& prefix, const std::vector<std::pair<std::string, double>>& run) {
        for (const auto& [name, value] : run) ValuesOf(figures, prefix + name).push_back(value);
    };
    for (int run = 0; run < runs; ++run) {
        note("Zemrana.exe ", RunWithTimings(zemrana, directory + L"\\zemrana-timings.txt", desktop));
        note("plain twin ", RunWithTimings(twin, directory + L"\\twin-timings.txt", desktop));
    }
    for (const auto& [name, values] : figures) Print(name.c_str(), values, "ms");
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
    if (mode == L"startup" && argc == 6) return StartupTimes(argv[2], argv[3], argv[4], _wtoi(argv[5]));
    if (mode == L"timings" && argc == 6) return Timings(argv[2], argv[3], _wtoi(argv[4]), argv[5]);
    if (mode == L"key" && argc == 4) return KeyToResult(argv[2], _wtoi(argv[3]));
    std::fprintf(stderr, "usage: bench_driver startup <Zemrana.exe> <bare_window.exe> <plain_twin.exe> <runs>\n"
                         "       bench_driver timings <zemrana_timed.exe> <plain_twin.exe> <runs> <directory>\n"
                         "       bench_driver key <Zemrana.exe> <runs>\n");
    return 2;
}
