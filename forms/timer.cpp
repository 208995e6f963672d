#include "forms/timer.h"

#include "forms/window_boundary.h"
#include "forms/window_classes.h"

namespace forms {
namespace {
constexpr UINT_PTR kTickId = 1;
}  // namespace

bool Timer::RegisterClass(HINSTANCE instance) { return RegisterWindowClass(instance, kTimerClass, WindowProc); }

bool Timer::Create(HINSTANCE instance, HWND) {
    tickWindow_ = CreateWindowExW(0, kTimerClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    if (!tickWindow_) return false;
    Tie(tickWindow_);
    SetInterval(Description().interval);
    return true;
}

// Setting a timer of the same ID starts it anew at the new interval.
void Timer::SetInterval(int milliseconds) {
    if (milliseconds > 0) {
        SetTimer(tickWindow_, kTickId, static_cast<UINT>(milliseconds), nullptr);
    } else {
        KillTimer(tickWindow_, kTickId);
    }
}

void Timer::FormDestroyed() {
    DestroyWindow(tickWindow_);
    tickWindow_ = nullptr;
}

LRESULT CALLBACK Timer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* timer = static_cast<Timer*>(Of(window));
    if (!timer || message != WM_TIMER || wParam != kTickId) return DefWindowProcW(window, message, wParam, lParam);
    return WithinBoundary(
        [&] {
            timer->onTimer.Raise();
            return LRESULT{0};
        },
        [] { return LRESULT{0}; });
}

}  // namespace forms
