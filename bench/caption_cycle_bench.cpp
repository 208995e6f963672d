// Time per caption paint cycle: WM_NCPAINT and WM_NCACTIVATE sent to a window
// whose caption is painted by the hook, and to an unhooked twin whose frame
// the platform paints itself, in one process. Prints one line per case:
// name|median|min|max|us, over several runs.
#include "caption/caption_colors.h"
#include "caption/caption_hook.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 7;
constexpr int kCyclesPerRun = 2000;

struct BenchForm {
    HWND window;
    HWND hWnd() const { return window; }
};

HWND CreateTwin(const wchar_t* title, int left) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ZemranaBenchTwin";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, windowClass.lpszClassName, title, WS_CAPTION | WS_SYSMENU | WS_VISIBLE | 0x80, left, 100,
                           407, 269, nullptr, nullptr, windowClass.hInstance, nullptr);
}

double Seconds(const LARGE_INTEGER& start, const LARGE_INTEGER& end) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Report(const char* name, HWND window, UINT message, WPARAM wParam) {
    std::vector<double> microseconds;
    for (int run = 0; run < kRuns; ++run) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        for (int i = 0; i < kCyclesPerRun; ++i) SendMessageA(window, message, wParam, 0);
        QueryPerformanceCounter(&end);
        microseconds.push_back(Seconds(start, end) * 1e6 / kCyclesPerRun);
    }
    std::sort(microseconds.begin(), microseconds.end());
    std::printf("%s|%.1f|%.1f|%.1f|us\n", name, microseconds[kRuns / 2], microseconds.front(), microseconds.back());
}

}  // namespace

int main() {
    CaptionScheme = CaptionSchemeRecord{kTrue, kTrue, 0xFF00, 0xC0C0C0, 0x800000, 0xFFFF8000, 0, 0xFF0000};
    LoadCaptionFont();
    HWND hooked = CreateTwin(L"Zemrana", 50);
    HWND plain = CreateTwin(L"Zemrana", 500);
    BenchForm form{hooked};
    HookCaption(form);
    SendMessageA(hooked, WM_NCPAINT, 1, 0);  // warm-up: fonts and glyphs loaded
    SendMessageA(plain, WM_NCPAINT, 1, 0);

    Report("WM_NCPAINT hooked", hooked, WM_NCPAINT, 1);
    Report("WM_NCPAINT platform", plain, WM_NCPAINT, 1);
    Report("WM_NCACTIVATE hooked", hooked, WM_NCACTIVATE, TRUE);
    Report("WM_NCACTIVATE platform", plain, WM_NCACTIVATE, TRUE);
    UnhookCaption(form);
    DestroyWindow(hooked);
    DestroyWindow(plain);
    return 0;
}
