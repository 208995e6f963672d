#pragma once
// Shared set-up of the caption tests: the start-up colour scheme and a window
// with the device contexts a paint cycle would hand to DrawCaption.

#include "caption/caption_state.h"
#include "fake_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

constexpr COLORREF Rgb(int red, int green, int blue) {
    return static_cast<COLORREF>(red | (green << 8) | (blue << 16));
}

constexpr LONG kCaptionButtons = WS_SYSMENU | WS_MAXIMIZEBOX | WS_MINIMIZEBOX;
inline const HICON kIcon = reinterpret_cast<HICON>(0x4242);

inline void UseStartUpScheme() {
    CaptionScheme = CaptionSchemeRecord{kTrue, kTrue, 0xFF00, 0xC0C0C0, 0x800000, 0xFFFF8000, 0, 0xFF0000};
}

// A window 400 pixels wide at (100, 50) on the screen, as in the worked
// examples, with nothing hooked yet.
inline HWND AddCaptionWindow(LONG style = kCaptionButtons, const std::string& text = "Zemrana", int width = 400) {
    HWND window = fake::AddWindow(RECT{100, 50, 100 + width, 350}, style, text);
    fake::WindowOf(window).icon = kIcon;
    return window;
}

inline std::vector<long long> Rect(long left, long top, long right, long bottom) {
    return {left, top, right, bottom};
}

// The arguments of a call from `first` on, as a slice.
inline std::vector<long long> Args(const fake::Call& call, size_t first, size_t count) {
    return std::vector<long long>(call.args.begin() + static_cast<long>(first),
                                  call.args.begin() + static_cast<long>(first + count));
}

inline long long Handle(const void* handle) { return static_cast<long long>(reinterpret_cast<uintptr_t>(handle)); }

// A call's name, followed by " windowDC" or " memoryDC" when its first argument
// is that device context: a list of calls then also says where each one drew.
inline std::string WithDC(const fake::Call& call, long long windowDC, long long memoryDC) {
    if (call.args.empty()) return call.name;
    if (call.args[0] == windowDC) return call.name + " windowDC";
    return call.args[0] == memoryDC ? call.name + " memoryDC" : call.name;
}
