#pragma once
// A recording fake of the Win32 subset in platform/win32.h, for native tests
// (the forms runtime's part in fake_win32_forms.cpp):
// every call is logged with its arguments, results are scripted per test, GDI
// objects and device contexts are kept in a ledger, memory bitmaps and window
// surfaces keep pixels, and clip regions are exact sets of rectangles.

#include "platform/win32.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace fake {

struct Call {
    std::string name;
    std::vector<long long> args;  // handles as numbers, rectangles flattened
    std::string text;             // strings passed (DrawTextA, property names, font faces)
};

// A region as disjoint rectangles; exact for the unions of rectangles that
// clipping with ExcludeClipRect produces.
class Region {
public:
    Region() = default;
    explicit Region(const RECT& rect);
    void Subtract(const RECT& rect);
    void Offset(int dx, int dy);
    bool Contains(int x, int y) const;
    long long Area() const;
    bool Equals(const Region& other) const;  // same set of points

private:
    std::vector<RECT> rects_;
};

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> colours;
    COLORREF At(int x, int y) const { return colours[static_cast<size_t>(y * width + x)]; }
};

struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct Window {
    RECT rect{};
    LONG style = 0;
    std::string text;
    bool zoomed = false;
    HWND parent = nullptr;
    HICON icon = nullptr;  // what its own procedure answers to WM_GETICON
    WNDPROC procedure = nullptr;
    std::map<std::string, HANDLE> properties;
    std::vector<Message> seenByOwnProcedure;
    LRESULT ownResult = 0x51;  // with the message added, what its own procedure returns for other messages
    Pixels surface;            // what BitBlt put on the window
    // Windows the forms runtime makes (CreateWindowExW).
    std::wstring className;
    std::wstring wideText;
    DWORD exStyle = 0;
    int id = 0;
    LONG_PTR userData = 0;
    bool visible = false;
    bool destroyed = false;
    bool messageOnly = false;
    DWORD selectionStart = 0, selectionEnd = 0;  // an edit box's
    size_t limit = 30000;                        // an edit box's

    // Each message gets an answer of its own, so that a result passed back
    // from one message cannot be mistaken for another's.
    LRESULT OwnResultFor(UINT message) const { return ownResult + static_cast<LRESULT>(message); }
};

struct Script {
    std::map<int, int> metrics;
    std::map<int, COLORREF> sysColors;
    HWND activeWindow = nullptr;
    HWND mdiActiveChild = nullptr;  // WM_MDIGETACTIVE answer of any parent
    BOOL parametersResult = TRUE;
    LOGFONTA captionFont{};  // SystemParametersInfoA's caption font
    RECT workArea{};
    BOOL workAreaResult = TRUE;  // any nonzero value is returned as it is
    DWORD highContrastFlags = 0;     // SPI_GETHIGHCONTRAST's answer…
    BOOL highContrastResult = TRUE;  // …when the call succeeds
    HANDLE createdMutex = nullptr;   // CreateMutexW's answer, and the last error it leaves
    DWORD mutexError = 0;
    // CreateCompatibleBitmap fails (returns 0) for a bitmap taller than this;
    // 0: never.
    int bitmapRowsLimit = 0;
    // SelectObject fails (returns 0, selects nothing) for a bitmap taller
    // than this; 0: never.
    int selectableRowsLimit = 0;
    // A call that throws std::bad_alloc, as an allocation would, as soon as it
    // is logged (a call that creates has made its object by then).
    std::string failingCall;

    // The forms runtime's platform.
    int dpi = 96;
    std::wstring refusedClass;        // RegisterClassExW fails for it
    std::wstring refusedWindowClass;  // CreateWindowExW fails for it
    std::map<int, SHORT> keyStates;   // GetKeyState: kKeyDown, kKeyToggled or both
    bool uniscribe = true;            // usp10.dll loads
    std::string missingUniscribeFunction;  // usp10.dll exports no function of that name
    bool shapingFails = false;             // ScriptStringAnalyse answers E_FAIL
    std::vector<std::wstring> installedFaces{L"Arabic Transparent"};
    std::u16string clipboard;
    // When not empty, the clipboard's block ends with its text, without a
    // terminating zero, and these characters (then a zero) lie in memory
    // after the block: what a reader that overruns the block would take.
    std::u16string clipboardPastItsBlock;
    bool clipboardOpens = true;
    bool clipboardHasText = true;
    // Run one by one whenever the message queue is empty; once all have run,
    // an empty queue ends the loop as WM_QUIT would.
    std::vector<std::function<void()>> idleSteps;
    bool getMessageFails = false;  // GetMessageW answers -1
    bool newWindowsOnTop = false;  // else beneath their siblings
    LRESULT accessibleAnswer = 0;  // the runtime's answer to WM_GETOBJECT
    bool readerServices = false;   // the readers' services present, each logging what it is asked
};

// GetKeyState's bits: the high one while the key is down, the low one while
// it is toggled on (for Shift and Ctrl too, whose toggling means nothing).
constexpr SHORT kKeyDown = static_cast<SHORT>(0xFF80);
constexpr SHORT kKeyToggled = 1;

// What DefWindowProcW answers to every message but WM_NCCREATE.
constexpr LRESULT kDefaultAnswer = 0xDEF;

// Puts a message in the queue, as PostMessage would.
void Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// The window's procedure now, as SetWindowLongPtrW left it.
WNDPROC ProcedureOf(HWND window);
// Every window the fake made of that class, in the order made.
std::vector<HWND> WindowsOfClass(const std::wstring& className);
// The procedure of the platform's own edit boxes and buttons: it records
// each message, keeps an edit box's text, selection and limit, and answers
// what a test asks of them.
LRESULT CALLBACK PlatformControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
std::string Narrow(const std::wstring& text);
// The windows of a parent, top of the stacking order first.
std::vector<HWND> Children(HWND parent);

// Starts a test afresh: no windows, no objects, no calls, Wine's default
// metrics (SM_CXFRAME 4, SM_CYCAPTION 19, SM_CXSIZE 18, SM_CXDLGFRAME 3).
void Reset();

Script& script();
HWND AddWindow(const RECT& rect, LONG style, const std::string& text);
Window& WindowOf(HWND window);

// The procedure a window starts with: it records each message it sees,
// answers WM_GETICON with the window's icon and returns OwnResultFor(message)
// otherwise.
LRESULT CALLBACK OwnWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

const std::vector<Call>& Calls();
std::vector<std::string> CallNames();
std::vector<Call> CallsNamed(const std::string& name);
void ClearCalls();
// Adds a test's own event to the call log, to check its place among the calls.
void Record(const std::string& name, std::vector<long long> args = {});
// Drops released objects from the ledger, for long runs; their handles are
// then unknown to RegionOf and BitmapPixels.
void ForgetReleasedObjects();

// Ledger.
int LiveObjects();      // GDI objects and DCs neither deleted nor released
std::string Problems();  // "" when every object was released properly
const Region* RegionOf(HRGN region);
const Region* ClipOf(HDC dc);
const Pixels* BitmapPixels(HBITMAP bitmap);
// A live brush's colour; 0xFFFFFFFF for a handle that is none.
COLORREF BrushColour(HBRUSH brush);
HCURSOR CurrentCursor();

}  // namespace fake
