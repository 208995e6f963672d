// Every text of the window against its background, as the screen shows it,
// in whatever colour scheme the platform has; and the scheme changed while
// the program runs.
#include "colour_setter.h"
#include "scenarios.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace e2e {
namespace {

// The contrast ratio of two colours by their relative luminance (WCAG 2).
double Contrast(COLORREF first, COLORREF second) {
    auto luminance = [](COLORREF colour) {
        auto linear = [](int channel) {
            double c = channel / 255.0;
            return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(GetRValue(colour)) + 0.7152 * linear(GetGValue(colour)) +
               0.0722 * linear(GetBValue(colour));
    };
    double a = luminance(first);
    double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

constexpr double kReadable = 3.0;

struct Text {
    const char* name;
    int id;
    bool label;  // drawn inside its own two-pixel border
    DWORD described;  // 0x80000000 + n: system colour n
};

// The sixteen texts a user reads: the clock, the credits, the row captions
// and the six boxes the frame shows.
const Text kTexts[] = {
    {"Label1", kLabel1, true, 0x80000000u + COLOR_BTNTEXT},  {"Label2", kLabel2, true, 0x80000000u + COLOR_BTNTEXT},
    {"Label3", kLabel3, true, 0x80000000u + COLOR_BTNTEXT},  {"Label4", kLabel4, true, 0x80000000u + COLOR_BTNTEXT},
    {"Label5", kLabel5, true, 0x80000000u + COLOR_BTNTEXT},  {"Label6", kLabel6, true, 0x80000000u + COLOR_BTNTEXT},
    {"Label7", kLabel7, true, 0x80000000u + COLOR_BTNTEXT},  {"Label8", kLabel8, true, 0x80000000u + COLOR_BTNTEXT},
    {"Label9", kLabel9, true, 0x80000000u + COLOR_BTNTEXT},  {"Label10", kLabel10, true, 0x80000000u + COLOR_BTNTEXT},
    {"b", kB, false, 0x80000000u + COLOR_WINDOWTEXT},        {"c", kC, false, 0x80000000u + COLOR_WINDOWTEXT},
    {"d", kD, false, 0x80000000u + COLOR_WINDOWTEXT},        {"f", kF, false, RGB(255, 0, 0)},
    {"g", kG, false, RGB(0, 0, 0)},                          {"h", kH, false, RGB(0, 0, 0)},
};

COLORREF Resolved(DWORD colour) {
    return (colour & 0x80000000u) ? GetSysColor(static_cast<int>(colour & 0xFF)) : static_cast<COLORREF>(colour);
}

// A text as it shows: its background is the commonest colour of its area,
// its colour the one of the area that contrasts most with that background
// (the glyphs' edges are smoothed toward the background, their cores are
// the text colour itself). Colours of fewer than four pixels are noise.
struct Shown {
    COLORREF back = 0;
    COLORREF text = 0;
    double contrast = 1.0;
};

Shown ShownText(const Program& program, const Text& text) {
    RECT area{};
    HWND window = program.Control(text.id);
    if (text.label) {
        GetWindowRect(window, &area);
        InflateRect(&area, -2, -2);
    } else {
        GetClientRect(window, &area);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    }
    Image image = CaptureScreen(area);
    std::map<COLORREF, int> counts;
    for (COLORREF pixel : image.pixels) ++counts[pixel];
    Shown shown;
    shown.back = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })
                     ->first;
    shown.text = shown.back;
    for (const auto& [colour, count] : counts) {
        if (count >= 4 && Contrast(colour, shown.back) > shown.contrast) {
            shown.contrast = Contrast(colour, shown.back);
            shown.text = colour;
        }
    }
    return shown;
}

std::string Ratio(double contrast) {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f:1", contrast);
    return text;
}

// The program's window with no caret in it: a window of the driver's, one
// pixel in a corner of the screen, takes the activation while it lives.
class CaretAway {
public:
    CaretAway() : window_(CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 1, 1,
                                          nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {
        SetForegroundWindow(window_);
        WaitUntil([&] {
            PumpMessages();
            return GetForegroundWindow() == window_;
        });
        Sleep(300);
    }
    ~CaretAway() { DestroyWindow(window_); }
    CaretAway(const CaretAway&) = delete;
    CaretAway& operator=(const CaretAway&) = delete;

private:
    HWND window_;
};

// Boxes filled and the clock showing, so that every text has glyphs.
bool EveryTextShows(const Program& program) {
    program.Activate();
    if (program.Text(kF).empty()) {
        program.Type(L"1234567");
        program.Press(VK_RETURN);
    }
    return WaitUntil([&] {
        for (const Text& text : kTexts) {
            if (program.Text(text.id).empty()) return false;
        }
        return true;
    });
}

}  // namespace

void EveryTextReads(Checks& checks, const Program& program, const std::string& when) {
    bool shows = EveryTextShows(program);
    std::string unreadable;
    std::string recoloured;
    double least = 21.0;
    const char* leastName = "";
    {
        CaretAway caretAway;
        for (const Text& text : kTexts) {
            Shown shown = ShownText(program, text);
            if (shown.contrast < least) {
                least = shown.contrast;
                leastName = text.name;
            }
            std::string seen = std::string(" ") + text.name + " " + ColourText(shown.text) + " on " +
                               ColourText(shown.back) + " " + Ratio(shown.contrast) + ";";
            if (shown.contrast < kReadable) unreadable += seen;
            // The described colour where it reads; where it would not, black
            // or white, whichever contrasts more.
            COLORREF described = Resolved(text.described);
            COLORREF expected = described;
            if (Contrast(described, shown.back) < kReadable) {
                expected = Contrast(RGB(0, 0, 0), shown.back) >= Contrast(RGB(255, 255, 255), shown.back)
                               ? RGB(0, 0, 0)
                               : RGB(255, 255, 255);
            }
            if (shown.text != expected) recoloured += seen + " expected " + ColourText(expected) + ";";
        }
    }
    program.Activate();
    checks.Check(shows && unreadable.empty(),
                 when + "all 16 texts read at 3:1 or more on screen (the least: " + std::string(leastName) + " " +
                     Ratio(least) + ")",
                 unreadable);
    checks.Check(shows && recoloured.empty(),
                 when + "each text is drawn in its described colour where that reads, otherwise in black or white",
                 recoloured);
}

namespace {

// The system colours the window's client area is drawn with, as two schemes
// set them: Windows 10 and 11's defaults, and High Contrast Black's.
constexpr int kSchemeColours[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT,
                                  COLOR_INACTIVECAPTIONTEXT};
struct Scheme {
    const char* name;
    COLORREF colours[5];
};
constexpr Scheme kWindows10{"Windows 10 and 11's colours",
                            {RGB(255, 255, 255), RGB(0, 0, 0), RGB(240, 240, 240), RGB(0, 0, 0), RGB(0, 0, 0)}};
constexpr Scheme kHighContrastBlack{
    "High Contrast Black's colours", {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255),
                                      RGB(255, 255, 255)}};

// The system colours set both in the driver's process (whose colours the
// expectations are read from) and, through the colour setter loaded into it,
// in the program's own; the colours of before put back when it goes.
class SchemeChanges {
public:
    explicit SchemeChanges(const Program& program) : program_(program) {
        for (int i = 0; i < 5; ++i) before_.colours[i] = GetSysColor(kSchemeColours[i]);
        mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ColourRequest),
                                      kColourRequestName);
        request_ = mapping_ ? static_cast<ColourRequest*>(
                                  MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(ColourRequest)))
                            : nullptr;
        asked_ = CreateEventW(nullptr, FALSE, FALSE, kColourAskedName);
        done_ = CreateEventW(nullptr, FALSE, FALSE, kColourDoneName);
        ready_ = request_ && asked_ && done_ && LoadSetter();
    }
    ~SchemeChanges() {
        if (ready_) {
            Use(before_);
            request_->stop = TRUE;
            SetEvent(asked_);
            WaitForSingleObject(done_, 5000);
        }
        if (request_) UnmapViewOfFile(request_);
        for (HANDLE handle : {mapping_, asked_, done_}) {
            if (handle) CloseHandle(handle);
        }
    }
    SchemeChanges(const SchemeChanges&) = delete;
    SchemeChanges& operator=(const SchemeChanges&) = delete;

    bool Ready() const { return ready_; }
    const Scheme& Before() const { return before_; }

    bool Use(const Scheme& scheme) {
        SetSysColors(5, kSchemeColours, scheme.colours);
        request_->count = 5;
        for (int i = 0; i < 5; ++i) {
            request_->indices[i] = kSchemeColours[i];
            request_->colours[i] = scheme.colours[i];
        }
        SetEvent(asked_);
        return WaitForSingleObject(done_, 5000) == WAIT_OBJECT_0;
    }

private:
    // The setter beside the driver, loaded by a thread started in the
    // program at LoadLibraryW, which lies at the same address in every
    // process of the same width.
    bool LoadSetter() {
        wchar_t path[MAX_PATH] = {};
        DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring setter(path, length);
        setter = setter.substr(0, setter.find_last_of(L'\\') + 1) + L"colour_setter.dll";
        size_t bytes = (setter.size() + 1) * sizeof(wchar_t);
        HANDLE process = program_.Process();
        void* remote = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (!remote) return false;
        bool loaded = false;
        auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
        if (WriteProcessMemory(process, remote, setter.c_str(), bytes, nullptr)) {
            if (HANDLE thread = CreateRemoteThread(process, nullptr, 0, load, remote, 0, nullptr)) {
                DWORD module = 0;
                loaded = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0 && GetExitCodeThread(thread, &module) &&
                         module != 0;
                CloseHandle(thread);
            }
        }
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        return loaded;
    }

    const Program& program_;
    Scheme before_{"the colours before", {}};
    HANDLE mapping_ = nullptr;
    ColourRequest* request_ = nullptr;
    HANDLE asked_ = nullptr;
    HANDLE done_ = nullptr;
    bool ready_ = false;
};

const Text& RowCaption() { return kTexts[4]; }  // Label5

bool RowCaptionShows(const Program& program, COLORREF back) {
    return WaitUntil([&] { return ShownText(program, RowCaption()).back == back; });
}

}  // namespace

// The colour scheme changed while the program runs, as Control Panel does:
// the system colours set, and every top-level window told.
void RunRecolourScenarios(Checks& checks, const std::wstring& exePath) {
    Program program(exePath);
    checks.Check(program.Started(), "the program starts for the colour-change checks");
    if (!program.Started()) return;
    program.Activate();
    EveryTextShows(program);
    constexpr int kChanges = 20;
    GdiCount before;
    GdiCount after;
    bool restored = false;
    {
        SchemeChanges changes(program);
        checks.Check(changes.Ready(), "the driver can set the system colours inside the program's process");
        if (!changes.Ready()) return;
        COLORREF rowCaption = changes.Before().colours[4];
        // A first change may make what the platform then keeps for good.
        changes.Use(kWindows10);
        RowCaptionShows(program, RGB(0, 0, 0));
        changes.Use(changes.Before());
        RowCaptionShows(program, rowCaption);
        before = SettledGdiObjects(program);
        for (const Scheme* scheme : {&kWindows10, &kHighContrastBlack}) {
            changes.Use(*scheme);
            COLORREF back = scheme->colours[4];
            bool repainted = RowCaptionShows(program, back);
            Shown shown = ShownText(program, RowCaption());
            bool blackBack = back == RGB(0, 0, 0);
            checks.Check(repainted && shown.text == (blackBack ? RGB(255, 255, 255) : RGB(0, 0, 0)),
                         std::string("changed to ") + scheme->name + " while it runs, the window repaints: Label5 " +
                             ColourText(back) + " with " + (blackBack ? "white" : "black") + " text",
                         "Label5 shows " + ColourText(shown.text) + " on " + ColourText(shown.back));
            EveryTextReads(checks, program, std::string("in ") + scheme->name + " set while it runs: ");
        }
        for (int change = 2; change < kChanges; ++change) {
            const Scheme& scheme = change % 2 ? kHighContrastBlack : kWindows10;
            changes.Use(scheme);
            RowCaptionShows(program, scheme.colours[4]);
        }
        changes.Use(changes.Before());
        restored = RowCaptionShows(program, rowCaption);
        checks.Check(restored, "the colours put back, Label5 shows " + ColourText(rowCaption) + " again");
        after = SettledGdiObjects(program);
    }
    CheckNoGdiObjectLeaked(checks, std::to_string(kChanges) + " colour changes leak no GDI object",
                        before, after);
    program.Activate();
    program.Press(VK_SPACE);
    WaitUntil([&] { return program.Text(kB).empty(); });
    CalculatesTheChain(checks, program);
    program.Press(VK_ESCAPE);
    checks.Check(program.WaitForExit(2000), "Escape ends it");
}

}  // namespace e2e
