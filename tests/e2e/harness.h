#pragma once
// A small driver for the running program: starts it, finds its window and
// controls, types like a user and checks what the window shows.

#include "app/form1_description.h"
#include "app/lifecycle.h"
#include "forms/layout.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// The control ID of Form1's control at that place, as the program's own
// description gives it.
template <typename Slot>
int ControlIdOf(Slot slot) {
    return forms::ControlId(kForm1.controls[slot.index]);
}

inline const int kB = ControlIdOf(form1::b), kC = ControlIdOf(form1::c), kD = ControlIdOf(form1::d),
                 kE = ControlIdOf(form1::e), kF = ControlIdOf(form1::f), kG = ControlIdOf(form1::g),
                 kH = ControlIdOf(form1::h);
inline const int kCommand1 = ControlIdOf(form1::Command1), kCommand2 = ControlIdOf(form1::Command2),
                 kCommand3 = ControlIdOf(form1::Command3);
inline const int kLabel1 = ControlIdOf(form1::Label1), kLabel2 = ControlIdOf(form1::Label2),
                 kLabel3 = ControlIdOf(form1::Label3), kLabel4 = ControlIdOf(form1::Label4),
                 kLabel5 = ControlIdOf(form1::Label5), kLabel6 = ControlIdOf(form1::Label6),
                 kLabel7 = ControlIdOf(form1::Label7), kLabel8 = ControlIdOf(form1::Label8),
                 kLabel9 = ControlIdOf(form1::Label9), kLabel10 = ControlIdOf(form1::Label10);
inline const int kFrame1 = ControlIdOf(form1::Frame1);

class Checks {
public:
    void Check(bool passed, const std::string& name, const std::string& detail = "");
    // A check the platform gives no means to make, with the reason.
    void Skip(const std::string& name, const std::string& reason);
    int Passed() const { return passed_; }
    int Failed() const { return failed_; }
    int Skipped() const { return skipped_; }

private:
    int passed_ = 0;
    int failed_ = 0;
    int skipped_ = 0;
};

class Program {
public:
    // Starts the program and, unless told not to, waits for its window.
    explicit Program(const std::wstring& exePath, bool waitForWindow = true, const std::wstring& arguments = L"");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Takes the program's form as soon as it exists, shown or not yet. Polls
    // without a pause: the form stays hidden for a few milliseconds only.
    bool CatchForm(DWORD milliseconds);

    // Stops the program's main thread and lets it go on again, so that what
    // the driver looks at meanwhile holds still.
    void Hold() const { SuspendThread(process_.hThread); }
    void Release() const { ResumeThread(process_.hThread); }

    bool Started() const { return form_ != nullptr; }
    bool Running() const;
    bool WaitForExit(DWORD milliseconds) const;
    HWND Form() const { return form_; }
    HWND Control(int id) const;
    HWND Tooltip() const;  // the tooltip window the form owns
    DWORD ThreadId() const { return threadId_; }
    DWORD ProcessId() const { return process_.dwProcessId; }
    HANDLE Process() const { return process_.hProcess; }

    std::wstring Text(int id) const;
    // The texts of several controls, asked at once: each WM_GETTEXT comes
    // from a thread of its own, so the program finds them all waiting.
    std::vector<std::wstring> TextsAtOnce(const std::vector<int>& ids) const;
    HWND Focus() const;
    int FocusId() const;

    // Keyboard input through SendInput into the foreground form.
    void Activate() const;
    void Type(const std::wstring& characters) const;
    void Press(WORD virtualKey, WORD modifier = 0) const;  // modifier: VK_SHIFT, VK_CONTROL or none
    void Paste(const std::wstring& clipboardText) const;  // Shift+Insert

private:
    bool TakeForm(bool shownOnly);

    PROCESS_INFORMATION process_{};
    HWND form_ = nullptr;
    DWORD threadId_ = 0;
};

// How many live GDI objects a process holds, or why that cannot be told.
struct GdiCount {
    long live = -1;
    std::string unknownBecause;
};

// Live GDI objects of another process: Windows counts them itself; under
// Wine, whose GetGuiResources answers 0, they are counted in the process's
// GDI handle table.
GdiCount LiveGdiObjects(HANDLE process);
// The program's live GDI objects once it has settled: the fewest of a few
// counts, each taken once its thread has handled what was sent to it. A paint
// under way when one is taken (the clock's label, drawn off-screen every
// second: a device context and a bitmap) counts in that one only; a leak
// counts in every one.
GdiCount SettledGdiObjects(const Program& program);
// Checks that `after` counts no more live objects than `before`, but for one
// device context that the platform may cache meanwhile; skipped, with the
// reason, where either count could not be made.
void CheckNoGdiObjectLeaked(Checks& checks, const std::string& name, const GdiCount& before, const GdiCount& after);

// Polls `condition` until it holds or `milliseconds` pass.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = 3000);

// The visible Zemrana forms of a process (0: of every process).
std::vector<HWND> VisibleForms(DWORD processId = 0);

// A window's text through WM_GETTEXT, which works across processes.
std::wstring WindowText(HWND window);

void SetClipboardText(const std::wstring& text);
std::wstring ClipboardText();

// Puts the pointer at (x, y) and reports a move there, as a mouse would.
void MovePointer(int x, int y);
// To the screen's far corner, where no window of the program opens: the
// tooltips wait for the pointer's first move over the form, so a program is
// started with the pointer there, and a check that points decides when.
void PointerAwayFromTheWindow();

// A top-level window of the driver's own, shown at (left, top).
HWND CreateDriverWindow(const wchar_t* className, WNDPROC procedure, int left, int top);

// A hidden 1x1 window of the driver's own inside `parent`, which may belong
// to another process.
HWND CreateDriverChild(const wchar_t* className, WNDPROC procedure, HWND parent);

// Dispatches what is queued for the driver's own windows.
void PumpMessages();

// Pixels per logical inch of the screen.
int ScreenDpi();

// The colour of a screen pixel, as 0x00BBGGRR.
COLORREF ScreenPixel(int x, int y);

// A colour as "(red,green,blue)".
std::string ColourText(COLORREF colour);

// The active caption's ramp runs from the end colour at the top toward the
// start colour, as the program sets them.
constexpr COLORREF kActiveCaptionTop = kForm1CaptionColours.activeEnd & 0xFFFFFF;
constexpr COLORREF kActiveCaptionBottom = kForm1CaptionColours.activeStart;

// The rows of a caption `height` pixels high, as the gradient rule paints them
// from `top` toward `bottom` (every row but the last, which the frame keeps).
std::vector<COLORREF> ExpectedCaptionRows(int height, COLORREF top, COLORREF bottom);

// Pixels as 0x00BBGGRR, row by row from the top.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

// A 32-bit memory bitmap selected into a device context of its own.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC Dc() const { return dc_; }
    Image Pixels() const;

private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    void* bits_ = nullptr;
};

// What the screen shows in `area` (screen coordinates).
Image CaptureScreen(const RECT& area);

// Saves the window's area of the screen as a 24-bit BMP.
bool SaveWindowImage(HWND window, const std::wstring& path);

// Starts the program, saves a picture of its window and closes it.
bool TakeScreenshot(const std::wstring& exePath, const std::wstring& imagePath);

std::string Narrow(const std::wstring& text);

// One figure of the instrumented twin's file: a line "name|milliseconds".
struct Figure {
    std::string name;
    double milliseconds;
};

// The figures of the file at `path`, in their order; none while it cannot be
// read. The writer renames the finished file into place and holds it a moment
// longer with the right to delete it, so it is opened sharing deletion too: an
// open that does not share it fails in that moment.
std::vector<Figure> ReadFigures(const std::wstring& path);

}  // namespace e2e
