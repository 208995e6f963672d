#include "forms/timings.h"

#include "forms/command_line.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace forms::timings {
namespace {

constexpr int kPlainRepaints = 15;  // the figure the benchmark compares
constexpr int kCostedRepaints = 5;  // with hooks in place, for the breakdown
constexpr DWORD kIdleBetweenRepaints = 50;

struct Record {
    bool enabled = false;
    std::wstring file;
    LARGE_INTEGER lastMark{};
    std::vector<std::pair<std::string, double>> figures;  // in the order first noted
};

Record record;

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return value;
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

void Add(const std::string& name, double milliseconds) {
    for (auto& figure : record.figures) {
        if (figure.first == name) {
            figure.second += milliseconds;
            return;
        }
    }
    record.figures.emplace_back(name, milliseconds);
}

void Append(const std::string& name, double milliseconds) { record.figures.emplace_back(name, milliseconds); }

// Time since the process was created, from the system clock: the loader, the
// DLLs the program imports and the C++ runtime's start all come before entry.
double MillisecondsSinceProcessCreation() {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    using PreciseTime = void(WINAPI*)(FILETIME*);
    auto precise = reinterpret_cast<PreciseTime>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
    if (precise) {
        precise(&now);
    } else {
        GetSystemTimeAsFileTime(&now);  // Windows 7: a coarser clock
    }
    auto ticks = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

// The kind of window a paint message is charged to, by its class.
std::string KindOf(HWND window) {
    if (!(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) return "form";
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpiW(name, L"Edit") == 0) return "text boxes";
    if (lstrcmpiW(name, L"Button") == 0) return "buttons";
    if (lstrcmpiW(name, L"Static") == 0 || lstrcmpiW(name, L"ZemranaLabel") == 0) return "labels";
    return "frame";
}

const char* PaintMessageName(UINT message) {
    switch (message) {
        case WM_PAINT: return "WM_PAINT";
        case WM_NCPAINT: return "WM_NCPAINT";
        case WM_ERASEBKGND: return "WM_ERASEBKGND";
        case WM_DRAWITEM: return "WM_DRAWITEM";
        default: return nullptr;
    }
}

struct OpenMessage {
    HWND window;
    UINT message;
    std::string bucket;
    LARGE_INTEGER start;
    double nested;  // milliseconds of the paint messages sent inside this one
};

struct Costing {
    HHOOK before = nullptr;
    HHOOK after = nullptr;
    std::string prefix;
    std::vector<OpenMessage> open;
};

Costing costing;

LRESULT CALLBACK BeforeMessage(int code, WPARAM wParam, LPARAM lParam) {
    const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION) {
        if (const char* name = PaintMessageName(sent.message)) {
            HWND charged = sent.hwnd;
            if (sent.message == WM_DRAWITEM) charged = reinterpret_cast<const DRAWITEMSTRUCT*>(sent.lParam)->hwndItem;
            costing.open.push_back({sent.hwnd, sent.message, costing.prefix + " " + KindOf(charged) + " " + name,
                                    Now(), 0.0});
        }
    }
    return CallNextHookEx(costing.before, code, wParam, lParam);
}

LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam) {
    const auto& sent = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && !costing.open.empty() && costing.open.back().window == sent.hwnd &&
        costing.open.back().message == sent.message) {
        OpenMessage done = std::move(costing.open.back());
        costing.open.pop_back();
        double elapsed = Milliseconds(done.start, Now());
        Add(done.bucket, elapsed - done.nested);
        if (!costing.open.empty()) costing.open.back().nested += elapsed;
    }
    return CallNextHookEx(costing.after, code, wParam, lParam);
}

void Write() {
    std::string text;
    for (const auto& figure : record.figures) {
        char line[160];
        std::snprintf(line, sizeof line, "%s|%.3f\n", figure.first.c_str(), figure.second);
        text += line;
    }
    // Written whole under another name, then renamed: a reader never sees half.
    std::wstring partial = record.file + L".part";
    HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    BOOL complete = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    if (complete && written == text.size()) MoveFileExW(partial.c_str(), record.file.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

void Begin(const wchar_t* commandLine) {
    double sinceCreation = MillisecondsSinceProcessCreation();
    record.file = SwitchValue(commandLine ? commandLine : L"", L"--timings");
    record.enabled = !record.file.empty();
    if (!record.enabled) return;
    Add("process entry", sinceCreation);
    record.lastMark = Now();
}

bool Enabled() { return record.enabled; }

void Mark(const char* phase) {
    if (!record.enabled) return;
    LARGE_INTEGER now = Now();
    Add(phase, Milliseconds(record.lastMark, now));
    record.lastMark = now;
}

PaintCosts::PaintCosts(const char* prefix) {
    if (!record.enabled) return;
    costing.prefix = prefix;
    costing.open.clear();
    costing.before = SetWindowsHookExW(WH_CALLWNDPROC, BeforeMessage, nullptr, GetCurrentThreadId());
    costing.after = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterMessage, nullptr, GetCurrentThreadId());
}

PaintCosts::~PaintCosts() {
    if (!record.enabled) return;
    UnhookWindowsHookEx(costing.before);
    UnhookWindowsHookEx(costing.after);
    costing = Costing{};
}

double FullRepaint(HWND window) {
    LARGE_INTEGER start = Now();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
    return Milliseconds(start, Now());
}

// Lets the window go idle between two repaints, as between two uncoverings:
// what is queued is handled and the painted surface reaches the screen.
void HandleMessagesFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void MeasureRepaintsAndWrite(HWND window) {
    if (!record.enabled) return;
    for (int i = 0; i < kPlainRepaints; ++i) {
        HandleMessagesFor(kIdleBetweenRepaints);
        Append("full repaint", FullRepaint(window));
    }
    std::vector<std::pair<std::string, double>> plain = std::move(record.figures);
    record.figures.clear();
    {
        PaintCosts costs("repaint");
        for (int i = 0; i < kCostedRepaints; ++i) {
            HandleMessagesFor(kIdleBetweenRepaints);
            FullRepaint(window);
        }
    }
    for (auto& figure : record.figures) figure.second /= kCostedRepaints;
    plain.insert(plain.end(), record.figures.begin(), record.figures.end());
    record.figures = std::move(plain);
    Write();
}

}  // namespace forms::timings
