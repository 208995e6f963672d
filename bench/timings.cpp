// The instrumented twin's timings. Started with "--timings FILE" it notes how
// long each phase of its start-up takes and what a full repaint of its window
// costs per kind of window and message, and writes it all to FILE once the
// window is idle. Without the switch every call returns at once.
#include "forms/timings.h"

#include "bench/command_line.h"
#include "forms/window_classes.h"

#include <cstring>
#include <memory>
#include <string>

namespace forms::timings {
namespace {

constexpr int kPlainRepaints = 15;  // the figure the benchmark compares
constexpr int kCostedRepaints = 5;  // with hooks in place, for the breakdown
constexpr DWORD kIdleBetweenRepaints = 50;

struct Figure {
    char name[64];
    double milliseconds;
};

// The stores are allocated only when the switch is given: a program started
// without it carries no room for them.
struct Record {
    std::wstring file;  // empty: the switch was not given
    LARGE_INTEGER lastMark{};
    std::unique_ptr<Figure[]> figures;  // in the order first noted
    int count = 0;
    bool repaintsStarted = false;
};

constexpr int kFigureCapacity = 96;
Record record;

bool Enabled() { return !record.file.empty(); }

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

void Append(const char* name, double milliseconds) {
    if (record.count == kFigureCapacity) return;
    Figure& figure = record.figures[record.count++];
    lstrcpynA(figure.name, name, sizeof figure.name);
    figure.milliseconds = milliseconds;
}

// Adds to the figure of that name, or notes a new one.
void Add(const char* name, double milliseconds) {
    for (int i = 0; i < record.count; ++i) {
        if (std::strcmp(record.figures[i].name, name) == 0) {
            record.figures[i].milliseconds += milliseconds;
            return;
        }
    }
    Append(name, milliseconds);
}

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
const char* KindOf(HWND window) {
    if (!(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) return "form";
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpiW(name, L"Edit") == 0) return "text boxes";
    if (lstrcmpiW(name, L"Button") == 0) return "buttons";
    if (lstrcmpiW(name, L"Static") == 0 || lstrcmpiW(name, forms::kLabelClass) == 0) return "labels";
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
    char bucket[64];
    LARGE_INTEGER start;
    double nested;  // milliseconds of the paint messages sent inside this one
};

constexpr int kNestingCapacity = 16;  // paint messages nest a few deep at most

struct Costing {
    HHOOK before = nullptr;
    HHOOK after = nullptr;
    const char* prefix = "";
    std::unique_ptr<OpenMessage[]> open;
    int depth = 0;
};

Costing costing;

LRESULT CALLBACK BeforeMessage(int code, WPARAM wParam, LPARAM lParam) {
    const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    const char* name = code == HC_ACTION ? PaintMessageName(sent.message) : nullptr;
    if (name && costing.depth < kNestingCapacity) {
        HWND charged = sent.hwnd;
        if (sent.message == WM_DRAWITEM) charged = reinterpret_cast<const DRAWITEMSTRUCT*>(sent.lParam)->hwndItem;
        OpenMessage& opened = costing.open[costing.depth++];
        opened.window = sent.hwnd;
        opened.message = sent.message;
        wsprintfA(opened.bucket, "%.20s %s %s", costing.prefix, KindOf(charged), name);
        opened.nested = 0;
        opened.start = Now();
    }
    return CallNextHookEx(costing.before, code, wParam, lParam);
}

LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam) {
    const auto& sent = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && costing.depth > 0 && costing.open[costing.depth - 1].window == sent.hwnd &&
        costing.open[costing.depth - 1].message == sent.message) {
        const OpenMessage& done = costing.open[--costing.depth];
        double elapsed = Milliseconds(done.start, Now());
        Add(done.bucket, elapsed - done.nested);
        if (costing.depth > 0) costing.open[costing.depth - 1].nested += elapsed;
    }
    return CallNextHookEx(costing.after, code, wParam, lParam);
}

void Write() {
    std::string text;
    for (int i = 0; i < record.count; ++i) {
        // Microseconds in whole numbers: wsprintf has no floating point, and
        // the C library's formatting would add its code to the program.
        double microseconds = record.figures[i].milliseconds > 0 ? record.figures[i].milliseconds * 1000 + 0.5 : 0;
        auto whole = static_cast<unsigned long>(microseconds);
        char line[96];
        wsprintfA(line, "%s|%lu.%03lu\n", record.figures[i].name, whole / 1000, whole % 1000);
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

double FullRepaint(HWND window) {
    LARGE_INTEGER start = Now();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
    return Milliseconds(start, Now());
}

// The repaints, one at each tick of a thread timer: a tick comes only when
// the queue is empty, so the window has been idle between two, as between
// two uncoverings, and the program's own loop handles every other message
// meanwhile (its keys, its closing).
struct Repainting {
    HWND window = nullptr;
    UINT_PTR timer = 0;
    int done = 0;
    int costedFrom = 0;
    std::unique_ptr<PaintCosts> costs;
};

Repainting repainting;

void CALLBACK RepaintOnceIdle(HWND, UINT, UINT_PTR, DWORD) {
    if (!IsWindow(repainting.window)) {
        KillTimer(nullptr, repainting.timer);
        repainting.costs.reset();
        return;
    }
    int repaint = repainting.done++;
    if (repaint < kPlainRepaints) {
        Append("full repaint", FullRepaint(repainting.window));
        return;
    }
    if (repaint == kPlainRepaints) {
        repainting.costedFrom = record.count;
        repainting.costs = std::make_unique<PaintCosts>("repaint");
    }
    FullRepaint(repainting.window);
    if (repainting.done < kPlainRepaints + kCostedRepaints) return;
    KillTimer(nullptr, repainting.timer);
    repainting.costs.reset();
    for (int i = repainting.costedFrom; i < record.count; ++i) record.figures[i].milliseconds /= kCostedRepaints;
    Write();
}

}  // namespace

void Begin() {
    record.file = bench::SwitchValue(GetCommandLineW(), L"--timings");
    if (!Enabled()) return;
    record.figures = std::make_unique<Figure[]>(kFigureCapacity);
    Add("process entry", MillisecondsSinceProcessCreation());
    record.lastMark = Now();
}

void Mark(const char* phase) {
    if (!Enabled()) return;
    LARGE_INTEGER now = Now();
    Add(phase, Milliseconds(record.lastMark, now));
    record.lastMark = now;
}

PaintCosts::PaintCosts(const char* prefix) {
    if (!Enabled()) return;
    costing.prefix = prefix;
    costing.open = std::make_unique<OpenMessage[]>(kNestingCapacity);
    costing.depth = 0;
    costing.before = SetWindowsHookExW(WH_CALLWNDPROC, BeforeMessage, nullptr, GetCurrentThreadId());
    costing.after = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterMessage, nullptr, GetCurrentThreadId());
}

PaintCosts::~PaintCosts() {
    if (!Enabled()) return;
    UnhookWindowsHookEx(costing.before);
    UnhookWindowsHookEx(costing.after);
    costing.before = costing.after = nullptr;
    costing.open.reset();
}

void MeasureRepaintsOnceIdle(HWND window) {
    MSG waiting;
    if (!Enabled() || record.repaintsStarted || PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE)) return;
    record.repaintsStarted = true;
    Mark("until first idle");
    repainting.window = window;
    repainting.timer = SetTimer(nullptr, 0, kIdleBetweenRepaints, RepaintOnceIdle);
}

}  // namespace forms::timings
