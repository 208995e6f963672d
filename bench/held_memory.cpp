#include "held_memory.h"

#include "driver_support.h"
#include "harness.h"

#include <psapi.h>

namespace bench {

namespace {

// What a running program holds: its commit charge and working set, its live
// GDI objects, and its USER objects (under Wine, whose GetGuiResources answers
// 0 for them, its windows, which are most of them).
struct Holding {
    double privateKiB = -1;
    double workingSetKiB = -1;
    long gdiObjects = -1;
    long userObjects = -1;
};

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

BOOL CALLBACK CountWindowAndChildren(HWND window, LPARAM count) {
    ++*reinterpret_cast<long*>(count);
    EnumChildWindows(window, CountWindow, count);
    return TRUE;
}

Holding HeldBy(HANDLE process, DWORD threadId) {
    Holding held;
    PROCESS_MEMORY_COUNTERS memory{};
    if (K32GetProcessMemoryInfo(process, &memory, sizeof memory)) {
        held.privateKiB = static_cast<double>(memory.PagefileUsage) / 1024;  // the commit charge
        held.workingSetKiB = static_cast<double>(memory.WorkingSetSize) / 1024;
    }
    held.gdiObjects = e2e::LiveGdiObjects(process).live;
    if (DWORD userObjects = GetGuiResources(process, GR_USEROBJECTS)) {
        held.userObjects = static_cast<long>(userObjects);
    } else {
        held.userObjects = 0;
        EnumThreadWindows(threadId, CountWindowAndChildren, reinterpret_cast<LPARAM>(&held.userObjects));
    }
    return held;
}

// Waits until the window's thread has handled everything sent to it so far.
void WaitUntilHandled(HWND window) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
}

HWND FocusOf(DWORD threadId) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    return GetGUIThreadInfo(threadId, &thread) ? thread.hwndFocus : nullptr;
}

// One calculation as a user makes it: the input cleared, a value typed, Enter.
// The program clears its boxes with Space and shows the tax; the plain twin,
// which calculates nothing, has its focused box emptied and gets the same keys.
bool Calculate(const e2e::Program& program, HWND window, DWORD threadId, bool isTwin) {
    if (isTwin) {
        SendMessageW(FocusOf(threadId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    } else {
        program.Press(VK_SPACE);
    }
    program.Type(L"1234567");
    program.Press(VK_RETURN);
    WaitUntilHandled(window);
    return isTwin || e2e::WaitUntil([&] { return program.Text(e2e::kF) == L"955.55442"; });
}

void PrintHeld(const std::string& name, const Holding& held) {
    Print(("held private " + name).c_str(), {held.privateKiB}, "KiB");
    Print(("held working set " + name).c_str(), {held.workingSetKiB}, "KiB");
    Print(("held GDI objects " + name).c_str(), {static_cast<double>(held.gdiObjects)}, "objects");
    Print(("held USER objects " + name).c_str(), {static_cast<double>(held.userObjects)}, "objects");
}

}  // namespace

// What the program and its plain twin hold once started and idle, and again
// after as many calculations and after as many more (the program's clock
// ticking every millisecond meanwhile), all from the keyboard, and last once
// the pointer has rested on the form; each one second after its last input.
int HeldMemory(const std::wstring& zemrana, const std::wstring& twin, int calculations) {
    const std::pair<const char*, std::wstring> programs[] = {{"Zemrana.exe", zemrana}, {"plain twin", twin}};
    for (const auto& [name, path] : programs) {
        bool isTwin = path == twin;
        e2e::Program program(path, !isTwin);
        HWND window = program.Form();
        if (isTwin) e2e::WaitUntil([&] { return (window = VisibleWindow(program.ProcessId())) != nullptr; }, 10000);
        if (!window) return 1;
        DWORD threadId = GetWindowThreadProcessId(window, nullptr);
        SetForegroundWindow(window);
        Sleep(1000);
        PrintHeld(std::string(name) + " after start-up", HeldBy(program.Process(), threadId));
        double start = Now();
        for (int round = 1; round <= 2; ++round) {
            for (int calculation = 0; calculation < calculations; ++calculation) {
                if (!Calculate(program, window, threadId, isTwin)) return 1;
            }
            Sleep(1000);
            PrintHeld(std::string(name) + " after " + std::to_string(round * calculations) + " calculations",
                      HeldBy(program.Process(), threadId));
        }
        double seconds = Now() - start - 2;
        Print(("held calculating for " + std::string(name)).c_str(), {seconds}, "s");
        // The tips and their DLL wait for the pointer: what they add once one
        // has shown. The twin, which has none, is pointed at all the same.
        RECT area;
        GetWindowRect(isTwin ? window : program.Control(e2e::kLabel3), &area);
        e2e::MovePointer((area.left + area.right) / 2, (area.top + area.bottom) / 2);
        e2e::WaitUntil([&] { return !isTwin && program.Tooltip() && IsWindowVisible(program.Tooltip()); });
        e2e::PointerAwayFromTheWindow();
        Sleep(1000);
        PrintHeld(std::string(name) + " once pointed at", HeldBy(program.Process(), threadId));
    }
    return 0;
}

}  // namespace bench
