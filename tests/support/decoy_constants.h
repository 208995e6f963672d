#pragma once
// Platform constants that no code here uses, but each easily written for one
// that it does (GWL_EXSTYLE for GWL_STYLE, DT_TOP for DT_VCENTER, ...): the
// native seam declares them so that such a slip still builds natively and the
// unit tests can catch it. On Windows <windows.h> has them all.
// Included by the native seam (platform/win32.h), after its types; it lives
// with the tests, for whom alone the native seam is built.

#ifndef _WIN32

constexpr int GWL_EXSTYLE = -20;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYSIZE = 31;
constexpr int SM_CYSMCAPTION = 51;
constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
constexpr UINT WM_GETTEXT = 13;
constexpr UINT WM_NCMBUTTONDOWN = 167;
constexpr UINT WM_INITMENU = 278;
constexpr WPARAM SC_SIZE = 0xF000;
constexpr WPARAM SC_KEYMENU = 0xF100;
constexpr int HTCLIENT = 1;
constexpr int OPAQUE = 2;
constexpr UINT DI_MASK = 1;
constexpr UINT DI_NORMAL = 3;
constexpr UINT DT_TOP = 0;
constexpr UINT DT_BOTTOM = 0x8;
constexpr UINT DT_WORDBREAK = 0x10;
constexpr UINT DT_PATH_ELLIPSIS = 0x4000;
constexpr UINT DT_WORD_ELLIPSIS = 0x40000;
constexpr UINT DFC_MENU = 2;
constexpr UINT DFC_SCROLL = 3;
constexpr UINT DFC_BUTTON = 4;
constexpr UINT DFCS_CAPTIONHELP = 4;
constexpr UINT DFCS_PUSHED = 0x200;
constexpr DWORD SRCPAINT = 0xEE0086;
constexpr DWORD SRCAND = 0x8800C6;
constexpr DWORD SRCINVERT = 0x660046;
constexpr DWORD EVENT_OBJECT_NAMECHANGE = 0x800C;
constexpr DWORD EVENT_OBJECT_VALUECHANGE = 0x800E;
constexpr LONG OBJID_WINDOW = 0;

#endif
