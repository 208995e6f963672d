#pragma once
// The Win32 seam of the caption code and of the forms runtime. On Windows
// this is <windows.h> with the common controls', oleacc's and Uniscribe's
// headers; natively it declares the subset of types, constants and functions
// that code uses (the runtime's in platform/win32_forms.h), and the test
// support library defines them as a recording fake.

#ifdef _WIN32

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>
#include <usp10.h>

// Raised from Windows 8 on; the headers declare it for builds that require
// Windows 8, and the program starts on Windows 7, where nothing listens for it.
#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019
#endif

#else

#include <cstdint>

using BOOL = int;
using BYTE = uint8_t;
using CHAR = char;
using WCHAR = wchar_t;
using UINT = unsigned int;
using LONG = int32_t;
using DWORD = uint32_t;
using COLORREF = uint32_t;
using LONG_PTR = intptr_t;
using UINT_PTR = uintptr_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using HANDLE = void*;
using LPCSTR = const char*;
using LPSTR = char*;
using LPCWSTR = const wchar_t*;
using PVOID = void*;

// Distinct handle types, as <windows.h> declares them with STRICT.
#define ZEMRANA_DECLARE_HANDLE(name) \
    struct name##__ {                \
        int unused;                  \
    };                               \
    using name = name##__*
ZEMRANA_DECLARE_HANDLE(HWND);
ZEMRANA_DECLARE_HANDLE(HDC);
ZEMRANA_DECLARE_HANDLE(HBITMAP);
ZEMRANA_DECLARE_HANDLE(HBRUSH);
ZEMRANA_DECLARE_HANDLE(HFONT);
ZEMRANA_DECLARE_HANDLE(HRGN);
ZEMRANA_DECLARE_HANDLE(HICON);
ZEMRANA_DECLARE_HANDLE(HINSTANCE);
#undef ZEMRANA_DECLARE_HANDLE
using HGDIOBJ = void*;
using HCURSOR = HICON;

#define WINAPI
#define CALLBACK
#define TRUE 1
#define FALSE 0

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct RECT {
    LONG left, top, right, bottom;
};

struct LOGFONTA {
    LONG lfHeight, lfWidth, lfEscapement, lfOrientation, lfWeight;
    BYTE lfItalic, lfUnderline, lfStrikeOut, lfCharSet, lfOutPrecision, lfClipPrecision, lfQuality,
        lfPitchAndFamily;
    CHAR lfFaceName[32];
};

struct NONCLIENTMETRICSA {
    UINT cbSize;
    int iBorderWidth, iScrollWidth, iScrollHeight, iCaptionWidth, iCaptionHeight;
    LOGFONTA lfCaptionFont;
    int iSmCaptionWidth, iSmCaptionHeight;
    LOGFONTA lfSmCaptionFont;
    int iMenuWidth, iMenuHeight;
    LOGFONTA lfMenuFont, lfStatusFont, lfMessageFont;
    int iPaddedBorderWidth;
};

struct HIGHCONTRASTW {
    UINT cbSize;
    DWORD dwFlags;
    WCHAR* lpszDefaultScheme;
};

#define MAKEINTRESOURCEA(i) (reinterpret_cast<LPSTR>(static_cast<uintptr_t>(static_cast<uint16_t>(i))))

constexpr int GWL_STYLE = -16;
constexpr int GWLP_WNDPROC = -4;

constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CXSIZE = 30;
constexpr int SM_CXFRAME = 32;

constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_INACTIVECAPTIONTEXT = 19;

constexpr UINT SPI_GETNONCLIENTMETRICS = 41;
constexpr UINT SPI_GETWORKAREA = 48;
constexpr UINT SPI_GETHIGHCONTRAST = 66;
constexpr DWORD HCF_HIGHCONTRASTON = 1;

constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;

constexpr UINT WM_SIZE = 5;
constexpr UINT WM_KILLFOCUS = 8;
constexpr UINT WM_SETTEXT = 12;
constexpr UINT WM_SETCURSOR = 32;
constexpr UINT WM_MOUSEACTIVATE = 33;
constexpr UINT WM_GETICON = 127;
constexpr UINT WM_NCPAINT = 133;
constexpr UINT WM_NCACTIVATE = 134;
constexpr UINT WM_NCLBUTTONDOWN = 161;
constexpr UINT WM_NCRBUTTONDOWN = 164;
constexpr UINT WM_SYSCOMMAND = 274;
constexpr UINT WM_INITMENUPOPUP = 279;
constexpr UINT WM_MDIACTIVATE = 546;
constexpr UINT WM_MDIGETACTIVE = 553;

constexpr WPARAM ICON_SMALL = 0;
constexpr WPARAM SC_MOVE = 0xF010;
constexpr WPARAM SC_MOUSEMENU = 0xF090;
constexpr int HTCAPTION = 2;
constexpr int HTSYSMENU = 3;

constexpr LONG WS_SYSMENU = 0x80000;
constexpr LONG WS_MAXIMIZEBOX = 0x10000;
constexpr LONG WS_MINIMIZEBOX = 0x20000;

constexpr int TRANSPARENT = 1;
constexpr UINT DI_IMAGE = 2;
constexpr UINT DT_LEFT = 0;
constexpr UINT DT_CENTER = 0x1;
constexpr UINT DT_RIGHT = 0x2;
constexpr UINT DT_VCENTER = 0x4;
constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_END_ELLIPSIS = 0x8000;
constexpr UINT DFC_CAPTION = 1;
constexpr UINT DFCS_CAPTIONCLOSE = 0;
constexpr UINT DFCS_CAPTIONMIN = 1;
constexpr UINT DFCS_CAPTIONMAX = 2;
constexpr UINT DFCS_CAPTIONRESTORE = 3;
constexpr UINT DFCS_INACTIVE = 0x100;
constexpr DWORD SRCCOPY = 0xCC0020;
constexpr DWORD EVENT_OBJECT_LIVEREGIONCHANGED = 0x8019;
constexpr LONG OBJID_CLIENT = -4;
constexpr LONG CHILDID_SELF = 0;
#include "decoy_constants.h"  // tests/support: the constants a slip could take for ours

int GetSystemMetrics(int index);
DWORD GetSysColor(int index);
BOOL SystemParametersInfoA(UINT action, UINT parameter, PVOID data, UINT flags);
BOOL SystemParametersInfoW(UINT action, UINT parameter, PVOID data, UINT flags);

HANDLE CreateMutexW(void* security, BOOL initialOwner, LPCWSTR name);
DWORD GetLastError();
BOOL CloseHandle(HANDLE object);

BOOL GetWindowRect(HWND window, RECT* rect);
LONG GetWindowLongA(HWND window, int index);
LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value);
int GetWindowTextA(HWND window, LPSTR text, int maxCount);
BOOL IsZoomed(HWND window);
HWND GetParent(HWND window);
HWND GetActiveWindow();

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcA(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL SetPropA(HWND window, LPCSTR name, HANDLE data);
HANDLE GetPropA(HWND window, LPCSTR name);
HANDLE RemovePropA(HWND window, LPCSTR name);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
HCURSOR SetCursor(HCURSOR cursor);

HDC GetWindowDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
HBRUSH CreateSolidBrush(COLORREF colour);
HFONT CreateFontIndirectA(const LOGFONTA* font);
HRGN CreateRectRgn(int left, int top, int right, int bottom);
int SelectClipRgn(HDC dc, HRGN region);
int OffsetClipRgn(HDC dc, int dx, int dy);
int GetClipRgn(HDC dc, HRGN region);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);

int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL OffsetRect(RECT* rect, int dx, int dy);
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step, HBRUSH flickerFreeBrush,
                UINT flags);
int SetBkMode(HDC dc, int mode);
COLORREF SetTextColor(HDC dc, COLORREF colour);
int DrawTextA(HDC dc, LPCSTR text, int length, RECT* rect, UINT format);
BOOL DrawFrameControl(HDC dc, RECT* rect, UINT type, UINT state);
BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop);

void NotifyWinEvent(DWORD event, HWND window, LONG objectId, LONG childId);

#include "platform/win32_forms.h"

#endif
