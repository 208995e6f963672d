// The floor for a full repaint of the calculator: a twin of its window with
// the same geometry, texts and fonts, but every control a plain platform
// control (static labels, edit boxes, push buttons) and nothing painted by
// the program itself. Started with --timings FILE it records the phases of
// its start that the program has too, and its full repaints, exactly as the
// program's instrumented twin does.
#include "app/form1_description.h"
#include "forms/fonts.h"
#include "forms/layout.h"
#include "forms/timings.h"

#include <vector>

namespace {

constexpr wchar_t kTwinClass[] = L"ZemranaPlainTwin";
constexpr wchar_t kContainerClass[] = L"ZemranaPlainContainer";

LRESULT CALLBACK TwinWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterPlainClass(HINSTANCE instance, const wchar_t* name) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TwinWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
}

HWND CreatePlainControl(const forms::ControlDescription& d, HWND parent, HINSTANCE instance, int dpi) {
    int left = forms::TwipsToPixels(d.left, dpi);
    int top = forms::TwipsToPixels(d.top, dpi);
    int width = forms::TwipsToPixels(d.width, dpi);
    int height = forms::TwipsToPixels(d.height, dpi);
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    DWORD exStyle = d.border == forms::Border::FixedSingle ? WS_EX_CLIENTEDGE : 0;
    const wchar_t* windowClass = L"STATIC";
    switch (d.kind) {
        case forms::ControlKind::Frame:
            windowClass = kContainerClass;
            style |= WS_CLIPCHILDREN;
            break;
        case forms::ControlKind::TextBox:
            windowClass = L"EDIT";
            style |= WS_TABSTOP | ES_AUTOHSCROLL | ES_RIGHT;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case forms::ControlKind::CommandButton:
            windowClass = L"BUTTON";
            style |= WS_TABSTOP | BS_PUSHBUTTON;
            break;
        case forms::ControlKind::Label:
            style |= SS_CENTER | SS_CENTERIMAGE;
            break;
        case forms::ControlKind::Timer:
            return nullptr;
    }
    return CreateWindowExW(exStyle, windowClass, d.caption, style, left, top, width, height, parent, nullptr,
                           instance, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    forms::timings::Begin();
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    forms::timings::Mark("screen DPI (the display's first use)");
    RegisterPlainClass(instance, kTwinClass);
    RegisterPlainClass(instance, kContainerClass);
    forms::timings::Mark("class registration");
    RECT frame{0, 0, forms::TwipsToPixels(kForm1.clientWidth, dpi), forms::TwipsToPixels(kForm1.clientHeight, dpi)};
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    HWND window = CreateWindowExW(0, kTwinClass, L"Plain twin", style, 154, 174, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    forms::timings::Mark("window creation");

    forms::FontSet fonts(dpi);
    std::vector<HWND> created(kForm1.controlCount);
    for (size_t i = 0; i < kForm1.controlCount; ++i) {
        const forms::ControlDescription& d = kForm1.controls[i];
        HWND parent = d.container == forms::kOnForm ? window : created[static_cast<size_t>(d.container)];
        created[i] = CreatePlainControl(d, parent, instance, dpi);
        if (created[i]) SendMessageW(created[i], WM_SETFONT, reinterpret_cast<WPARAM>(fonts.Get(forms::FontOf(kForm1, d))), FALSE);
    }
    forms::timings::Mark("control creation");
    ShowWindow(window, SW_SHOW);
    forms::timings::Mark("show");
    UpdateWindow(window);
    forms::timings::Mark("first paint");

    MSG message;
    for (;;) {
        forms::timings::MeasureRepaintsOnceIdle(window);
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) break;
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
