#include "startup_observers.h"

#include "driver_support.h"
#include "harness.h"

#include <algorithm>
#include <iterator>

namespace bench {

namespace {

// The driver's own processor time, in seconds.
double OwnCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& time) {
        return static_cast<double>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

struct ObserverName {
    Observer observer;
    const char* suffix;  // after the program's name in the figures; the first observer's figures have none
};

constexpr ObserverName kObservers[] = {
    {Observer::ThreadWindows, ""},
    {Observer::AllWindows, ", all windows every 5 ms"},
    {Observer::WinEventHook, ", WinEvent hook"},
    {Observer::ThreadWindowsBesideHook, ", thread's windows beside the hook"},
};

bool UsesHook(Observer observer) {
    return observer == Observer::WinEventHook || observer == Observer::ThreadWindowsBesideHook;
}

// The watched process's top-level windows that the hook has been told of.
struct Watched {
    DWORD processId = 0;
    bool readsEvents = true;
    std::vector<HWND> topLevel;
};
Watched watched;

void CALLBACK NoteCreated(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (!watched.readsEvents || object != OBJID_WINDOW || child != CHILDID_SELF) return;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == watched.processId && !(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) {
        watched.topLevel.push_back(window);
    }
}

HWND ShownOfNoted() {
    auto shown = std::find_if(watched.topLevel.begin(), watched.topLevel.end(), [](HWND w) { return IsWindowVisible(w); });
    return shown == watched.topLevel.end() ? nullptr : *shown;
}

}  // namespace

// Starts a program and waits, as the observer does, until one of its
// top-level windows shows. Returns the seconds from CreateProcess to then
// (or -1) and the window.
double StartAndWaitUntilShown(const std::wstring& exePath, const std::wstring& arguments, Observer observer,
                              PROCESS_INFORMATION& process, HWND& shownWindow) {
    HWINEVENTHOOK hook = nullptr;
    if (UsesHook(observer)) {
        hook = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, NoteCreated, 0, 0,
                               WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    }
    watched = Watched{};
    watched.readsEvents = observer == Observer::WinEventHook;
    shownWindow = nullptr;
    double start = Now();
    if (!Start(exePath, arguments, process)) {
        if (hook) UnhookWinEvent(hook);
        return -1;
    }
    watched.processId = process.dwProcessId;
    double shown = -1;
    while (Now() - start < 20) {
        if (hook) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
            DispatchWaiting();
        } else {
            Sleep(observer == Observer::AllWindows ? 5 : 2);
        }
        switch (observer) {
            case Observer::ThreadWindows:
            case Observer::ThreadWindowsBesideHook: shownWindow = ShownOfThread(process.dwThreadId); break;
            case Observer::AllWindows: shownWindow = VisibleWindow(process.dwProcessId); break;
            case Observer::WinEventHook: shownWindow = ShownOfNoted(); break;
        }
        if (shownWindow) {
            shown = Now() - start;
            break;
        }
    }
    if (hook) UnhookWinEvent(hook);
    return shown;
}

namespace {

struct Startup {
    double visible = -1;    // ms from CreateProcess to the window shown
    double painted = -1;    // ... and to its caption painted
    double watched = 0;     // seconds the driver watched the start
    double observing = 0;   // ... and the processor seconds it took meanwhile
};

// Starts the program, times it to its window shown and to its caption
// painted (looked for every 5 ms), and closes it again.
Startup TimeStartup(const std::wstring& exePath, COLORREF desktop, Observer observer) {
    Startup times;
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    double cpuBefore = OwnCpuSeconds();
    double start = Now();
    double shown = StartAndWaitUntilShown(exePath, L"", observer, process, window);
    if (shown < 0) {
        if (process.hProcess) Close(process);
        return times;
    }
    times.visible = shown * 1000;
    while (!CaptionPainted(window, desktop) && Now() - start < 20) Sleep(5);
    double end = Now();
    if (end - start < 20) times.painted = (end - start) * 1000;
    times.watched = end - start;
    times.observing = OwnCpuSeconds() - cpuBefore;
    Close(process);
    return times;
}

}  // namespace

// Alternating starts of the program and its two floors, each watched by every
// observer in turn, so that drift hits all alike: the bare window and the
// plain twin of the program's window.
int StartupTimes(const std::wstring& zemrana, const std::wstring& bare, const std::wstring& twin, int runs) {
    COLORREF desktop = e2e::ScreenPixel(400, 300);  // where the windows' captions will lie
    e2e::PointerAwayFromTheWindow();  // as when started from the keyboard: no tooltips
    struct Watching {
        std::vector<double> visible, painted;
        double watchedSeconds = 0;
        double observingSeconds = 0;
    };
    struct Program {
        const char* name;
        std::wstring path;
        Watching by[std::size(kObservers)];
    };
    Program programs[] = {{"Zemrana.exe", zemrana, {}}, {"bare window", bare, {}}, {"plain twin", twin, {}}};
    for (Program& program : programs) TimeStartup(program.path, desktop, Observer::ThreadWindows);  // warm-up
    for (int run = 0; run < runs; ++run) {
        for (size_t observer = 0; observer < std::size(kObservers); ++observer) {
            for (Program& program : programs) {
                Startup times = TimeStartup(program.path, desktop, kObservers[observer].observer);
                Watching& watching = program.by[observer];
                watching.visible.push_back(times.visible);
                watching.painted.push_back(times.painted);
                watching.watchedSeconds += times.watched;
                watching.observingSeconds += times.observing;
                Sleep(200);  // the closed program's teardown is over
            }
        }
    }
    for (size_t observer = 0; observer < std::size(kObservers); ++observer) {
        double watchedSeconds = 0;
        double observingSeconds = 0;
        for (Program& program : programs) {
            const Watching& watching = program.by[observer];
            std::string name = program.name + std::string(kObservers[observer].suffix);
            Print(("startup visible " + name).c_str(), watching.visible, "ms");
            Print(("startup painted " + name).c_str(), watching.painted, "ms");
            watchedSeconds += watching.watchedSeconds;
            observingSeconds += watching.observingSeconds;
        }
        // The processor clock ticks too coarsely for one start: the sum of all.
        Print(("startup observer" + std::string(kObservers[observer].suffix)).c_str(),
              {watchedSeconds > 0 ? 100 * observingSeconds / watchedSeconds : -1}, "%");
    }
    return 0;
}

namespace {

// What each program raises while it starts: the events a WinEvent hook over
// all of them is told of, from its first thread, until its caption is painted.
struct EventCount {
    DWORD threadId = 0;
    int created = 0;
    int all = 0;
};
EventCount eventsSeen;

void CALLBACK CountEvent(HWINEVENTHOOK, DWORD event, HWND, LONG, LONG, DWORD thread, DWORD) {
    if (thread != eventsSeen.threadId) return;
    ++eventsSeen.all;
    if (event == EVENT_OBJECT_CREATE) ++eventsSeen.created;
}

}  // namespace

int StartupEvents(const std::vector<std::pair<const char*, std::wstring>>& programs, int runs) {
    COLORREF desktop = e2e::ScreenPixel(400, 300);
    for (const auto& [name, path] : programs) {
        std::vector<double> created, all;
        for (int run = 0; run < runs; ++run) {
            HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, CountEvent, 0, 0,
                                                 WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
            PROCESS_INFORMATION process{};
            eventsSeen = EventCount{};
            double start = Now();
            if (!Start(path, L"", process)) return 1;
            eventsSeen.threadId = process.dwThreadId;
            HWND shown = nullptr;
            while (!(shown && CaptionPainted(shown, desktop)) && Now() - start < 20) {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
                DispatchWaiting();
                if (!shown) shown = ShownOfThread(process.dwThreadId);
            }
            // The events raised before the caption showed may still be on their way.
            for (double until = Now() + 0.1; Now() < until;) {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
                DispatchWaiting();
            }
            UnhookWinEvent(hook);
            DispatchWaiting();
            created.push_back(eventsSeen.created);
            all.push_back(eventsSeen.all);
            Close(process);
            Sleep(200);
        }
        Print(("startup events " + std::string(name)).c_str(), all, "events");
        Print(("startup windows created " + std::string(name)).c_str(), created, "events");
    }
    return 0;
}

}  // namespace bench
