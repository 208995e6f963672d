#pragma once
// Natively, the part of the Win32 seam that only the forms runtime uses:
// windows and their classes, the message loop, keys, edit boxes and buttons,
// painting, fonts, the clipboard, timers, DLLs loaded at run time, the
// common controls' tooltips, oleacc's roles and Uniscribe's string
// functions. Included by platform/win32.h; the tests' fake defines them.

#include <cstddef>
#include <cstdint>

using SHORT = int16_t;
using WORD = uint16_t;
using INT_PTR = intptr_t;
using LPCVOID = const void*;
using LPVOID = void*;
using HRESULT = int32_t;
using HMENU = struct HMENU__*;
using HMODULE = HINSTANCE;
using HMONITOR = struct HMONITOR__*;
using HGLOBAL = HANDLE;
using FARPROC = intptr_t (*)();
using SCRIPT_STRING_ANALYSIS = void*;

struct POINT {
    LONG x, y;
};
struct SIZE {
    LONG cx, cy;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

struct WNDCLASSEXW {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra, cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCWSTR lpszMenuName;
    LPCWSTR lpszClassName;
    HICON hIconSm;
};

struct CREATESTRUCTW {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy, cx, y, x;
    LONG style;
    LPCWSTR lpszName;
    LPCWSTR lpszClass;
    DWORD dwExStyle;
};

struct DRAWITEMSTRUCT {
    UINT CtlType, CtlID, itemID, itemAction, itemState;
    HWND hwndItem;
    HDC hDC;
    RECT rcItem;
    uintptr_t itemData;
};

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore, fIncUpdate;
    BYTE rgbReserved[32];
};

struct LOGFONTW {
    LONG lfHeight, lfWidth, lfEscapement, lfOrientation, lfWeight;
    BYTE lfItalic, lfUnderline, lfStrikeOut, lfCharSet, lfOutPrecision, lfClipPrecision, lfQuality,
        lfPitchAndFamily;
    WCHAR lfFaceName[32];
};

struct TEXTMETRICW {
    LONG tmHeight, tmAscent, tmDescent, tmInternalLeading, tmExternalLeading, tmAveCharWidth, tmMaxCharWidth,
        tmWeight, tmOverhang, tmDigitizedAspectX, tmDigitizedAspectY;
    WCHAR tmFirstChar, tmLastChar, tmDefaultChar, tmBreakChar;
    BYTE tmItalic, tmUnderlined, tmStruckOut, tmPitchAndFamily, tmCharSet;
};

struct MONITORINFO {
    DWORD cbSize;
    RECT rcMonitor;
    RECT rcWork;
    DWORD dwFlags;
};

struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};

struct TOOLINFOW {
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;
    UINT_PTR uId;
    RECT rect;
    HINSTANCE hinst;
    WCHAR* lpszText;
    LPARAM lParam;
    void* lpReserved;
};

struct SCRIPT_STATE {
    WORD uBidiLevel : 5;
    WORD fOverrideDirection : 1, fInhibitSymSwap : 1, fCharShape : 1, fDigitSubstitute : 1, fInhibitLigate : 1,
        fDisplayZWG : 1, fArabicNumContext : 1, fGcpClusters : 1, fReserved : 1, fEngineReserved : 2;
};
struct SCRIPT_CONTROL;
struct SCRIPT_TABDEF;

#define MAKEINTRESOURCEW(i) (reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(static_cast<uint16_t>(i))))
#define LOWORD(l) (static_cast<WORD>(static_cast<uintptr_t>(l) & 0xFFFF))
#define HIWORD(l) (static_cast<WORD>((static_cast<uintptr_t>(l) >> 16) & 0xFFFF))
#define FAILED(hr) ((hr) < 0)
#define SUCCEEDED(hr) ((hr) >= 0)
#define STDMETHODCALLTYPE

constexpr int MAX_PATH = 260;
constexpr int LF_FACESIZE = 32;

constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_SYSCOLORCHANGE = 0x0015;
constexpr UINT WM_SETTINGCHANGE = 0x001A;
constexpr UINT WM_DRAWITEM = 0x002B;
constexpr UINT WM_SETFONT = 0x0030;
constexpr UINT WM_GETOBJECT = 0x003D;
constexpr UINT WM_NCCREATE = 0x0081;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_CTLCOLOREDIT = 0x0133;
constexpr UINT WM_CTLCOLORSTATIC = 0x0138;
constexpr UINT WM_MOUSEFIRST = 0x0200;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_MOUSELAST = 0x020E;
constexpr UINT WM_IME_CHAR = 0x0286;
constexpr UINT WM_PASTE = 0x0302;

constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT EM_SETLIMITTEXT = 0x00C5;
constexpr UINT EM_GETLIMITTEXT = 0x00D5;
constexpr WORD BN_CLICKED = 0;

constexpr WORD WA_INACTIVE = 0;
constexpr WPARAM ICON_BIG = 1;
constexpr UINT SPI_SETHIGHCONTRAST = 0x0043;

constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_INSERT = 0x2D;

constexpr DWORD WS_OVERLAPPED = 0;
constexpr DWORD WS_POPUP = 0x80000000u;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
constexpr DWORD WS_EX_RTLREADING = 0x00002000;
constexpr DWORD WS_EX_CONTROLPARENT = 0x00010000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD BS_OWNERDRAW = 0x000B;
constexpr UINT CS_DBLCLKS = 0x0008;
constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);

constexpr int GWLP_USERDATA = -21;
constexpr UINT GW_HWNDNEXT = 2;
constexpr UINT GW_HWNDPREV = 3;
#define HWND_TOP (static_cast<HWND>(nullptr))
#define HWND_MESSAGE (reinterpret_cast<HWND>(static_cast<intptr_t>(-3)))
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr int SW_SHOW = 5;
constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_ALLCHILDREN = 0x0080;
constexpr UINT RDW_FRAME = 0x0400;

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT LR_SHARED = 0x8000;
#define IDC_ARROW MAKEINTRESOURCEW(32512)
constexpr DWORD MONITOR_DEFAULTTONEAREST = 2;

constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_FOCUS = 0x0010;
constexpr UINT EDGE_RAISED = 0x0005;
constexpr UINT EDGE_SUNKEN = 0x000A;
constexpr UINT BF_RECT = 0x000F;
constexpr UINT BF_ADJUST = 0x2000;
constexpr UINT DT_NOPREFIX = 0x0800;
constexpr UINT DT_RTLREADING = 0x20000;
constexpr UINT ETO_CLIPPED = 0x0004;
constexpr UINT OBJ_FONT = 6;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr UINT CF_UNICODETEXT = 13;

constexpr DWORD LOAD_WITH_ALTERED_SEARCH_PATH = 0x0008;
constexpr DWORD LOAD_LIBRARY_SEARCH_SYSTEM32 = 0x0800;

constexpr DWORD ICC_WIN95_CLASSES = 0x00FF;
#define TOOLTIPS_CLASSW L"tooltips_class32"
constexpr DWORD TTS_ALWAYSTIP = 0x01;
constexpr DWORD TTS_NOPREFIX = 0x02;
constexpr UINT TTF_IDISHWND = 0x0001;
constexpr UINT TTF_RTLREADING = 0x0004;
constexpr UINT TTM_RELAYEVENT = 0x0407;
constexpr UINT TTM_ADDTOOLW = 0x0432;
constexpr UINT TTTOOLINFOW_V2_SIZE = 48;  // through lParam, on 32-bit Windows

constexpr long ROLE_SYSTEM_GROUPING = 0x14;
constexpr long ROLE_SYSTEM_STATICTEXT = 0x29;
constexpr long ROLE_SYSTEM_TEXT = 0x2A;
constexpr long ROLE_SYSTEM_PUSHBUTTON = 0x2B;
constexpr long STATE_SYSTEM_READONLY = 0x40;

constexpr DWORD SSA_FALLBACK = 0x00000020;
constexpr DWORD SSA_GLYPHS = 0x00000080;
constexpr DWORD SSA_RTL = 0x00000100;

HWND CreateWindowExW(DWORD exStyle, LPCWSTR windowClass, LPCWSTR name, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter);
BOOL DestroyWindow(HWND window);
WORD RegisterClassExW(const WNDCLASSEXW* windowClass);
LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value);
LONG_PTR GetWindowLongPtrW(HWND window, int index);
BOOL SetWindowTextW(HWND window, LPCWSTR text);
int GetWindowTextW(HWND window, WCHAR* text, int maxCount);
int GetWindowTextLengthW(HWND window);
HWND SetFocus(HWND window);
HWND GetFocus();
BOOL IsChild(HWND parent, HWND window);
BOOL IsWindow(HWND window);
HWND GetWindow(HWND window, UINT relation);
BOOL SetWindowPos(HWND window, HWND after, int x, int y, int width, int height, UINT flags);
BOOL ShowWindow(HWND window, int command);
BOOL UpdateWindow(HWND window);
BOOL RedrawWindow(HWND window, const RECT* area, HRGN region, UINT flags);
BOOL InvalidateRect(HWND window, const RECT* area, BOOL erase);
BOOL GetClientRect(HWND window, RECT* rect);
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);
HMONITOR MonitorFromRect(const RECT* rect, DWORD flags);
BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info);
SHORT GetKeyState(int key);

BOOL GetMessageW(MSG* message, HWND window, UINT first, UINT last);
BOOL TranslateMessage(const MSG* message);
LRESULT DispatchMessageW(const MSG* message);
void PostQuitMessage(int exitCode);
[[noreturn]] void ExitProcess(UINT exitCode);

HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int width, int height, UINT flags);
HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);

HDC GetDC(HWND window);
int GetDeviceCaps(HDC dc, int index);
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags);
int DrawTextW(HDC dc, LPCWSTR text, int length, RECT* rect, UINT format);
BOOL DrawFocusRect(HDC dc, const RECT* rect);
BOOL InflateRect(RECT* rect, int dx, int dy);
COLORREF SetBkColor(HDC dc, COLORREF colour);
HFONT CreateFontIndirectW(const LOGFONTW* font);
int GetObjectW(HANDLE object, int size, LPVOID buffer);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics);
int GetTextFaceW(HDC dc, int count, WCHAR* face);
int GetTextCharset(HDC dc);
WCHAR* lstrcpynW(WCHAR* destination, LPCWSTR source, int length);
int lstrcmpiW(LPCWSTR a, LPCWSTR b);

BOOL OpenClipboard(HWND owner);
HANDLE GetClipboardData(UINT format);
BOOL CloseClipboard();
LPVOID GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
size_t GlobalSize(HGLOBAL memory);

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT milliseconds, void* procedure);
BOOL KillTimer(HWND window, UINT_PTR id);

HMODULE GetModuleHandleW(LPCWSTR name);
UINT GetSystemDirectoryW(WCHAR* buffer, UINT size);
HMODULE LoadLibraryExW(LPCWSTR path, HANDLE file, DWORD flags);
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
BOOL FreeLibrary(HMODULE module);

HRESULT ScriptStringAnalyse(HDC dc, const void* text, int length, int glyphs, int charset, DWORD flags,
                            int requiredWidth, SCRIPT_CONTROL* control, SCRIPT_STATE* state, const int* dx,
                            SCRIPT_TABDEF* tabs, const BYTE* inClass, SCRIPT_STRING_ANALYSIS* analysis);
const SIZE* ScriptString_pSize(SCRIPT_STRING_ANALYSIS analysis);
HRESULT ScriptStringOut(SCRIPT_STRING_ANALYSIS analysis, int x, int y, UINT options, const RECT* clip,
                        int selectionStart, int selectionEnd, BOOL disabled);
HRESULT ScriptStringFree(SCRIPT_STRING_ANALYSIS* analysis);
