#pragma once
// Shared set-up of the caption tests: the start-up colour scheme and a window
// with the device contexts a paint cycle would hand to DrawCaption.

#include "caption/caption_state.h"
#include "fake_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// The part a call's first argument plays: the window's device context, the
// memory one, or neither.
enum class DcRole { None, Window, Memory };

// One call as a test expects it: its name, the device context it is given,
// and the arguments that matter (from args[first] on) or its text, if given.
struct ExpectedCall {
    std::string name;
    DcRole dc = DcRole::None;
    std::vector<long long> args = {};
    size_t first = 1;
    std::string text = {};
};

// The device contexts a sequence of calls is read against.
struct DcHandles {
    long long window = 0;
    long long memory = 0;
    DcRole RoleOf(const fake::Call& call) const {
        if (call.args.empty()) return DcRole::None;
        if (call.args[0] == window) return DcRole::Window;
        return call.args[0] == memory ? DcRole::Memory : DcRole::None;
    }
};

inline std::string Describe(const std::string& name, DcRole dc, const std::vector<long long>& args,
                            const std::string& text) {
    std::string line = name + (dc == DcRole::Window ? " windowDC" : dc == DcRole::Memory ? " memoryDC" : "");
    if (!args.empty()) {
        line += " (";
        for (size_t i = 0; i < args.size(); ++i) line += (i ? ", " : "") + std::to_string(args[i]);
        line += ")";
    }
    return text.empty() ? line : line + " \"" + text + "\"";
}

// Checks the calls against the table, in order: each name, device context and
// the arguments and text given. On a mismatch it prints both sequences whole,
// each call with what the table asks of it.
inline void ExpectCalls(const std::vector<fake::Call>& calls, const std::vector<ExpectedCall>& expected,
                        const DcHandles& dcs = {}) {
    bool same = calls.size() == expected.size();
    std::string made;
    for (size_t i = 0; i < calls.size(); ++i) {
        const fake::Call& call = calls[i];
        const ExpectedCall* wanted = i < expected.size() ? &expected[i] : nullptr;
        std::vector<long long> args;
        if (wanted && !wanted->args.empty()) {
            size_t end = std::min(call.args.size(), wanted->first + wanted->args.size());
            if (wanted->first < end) args.assign(call.args.begin() + static_cast<long>(wanted->first), call.args.begin() + static_cast<long>(end));
        }
        std::string text = wanted && !wanted->text.empty() ? call.text : "";
        same = same && wanted && call.name == wanted->name && dcs.RoleOf(call) == wanted->dc &&
               args == wanted->args && text == wanted->text;
        made += "\n  " + Describe(call.name, dcs.RoleOf(call), args, text);
    }
    if (same) return;
    std::string asked;
    for (const ExpectedCall& call : expected) asked += "\n  " + Describe(call.name, call.dc, call.args, call.text);
    ADD_FAILURE() << "the calls made differ from those expected\nexpected:" << asked << "\nmade:" << made;
}
