#pragma once
// Telling screen readers of a result that appears while the focus stays
// where it was: a reader speaks what has the focus, and of any other change
// only what the program tells it, politely, after what it is saying.

#include "platform/win32.h"

#include <string>

namespace forms {

// What the platform offers beyond the event every Windows raises. Each is
// missing (nullptr) where the platform lacks it, and answers false where it
// could not do its part; the rest is told all the same.
struct ReaderServices {
    // Marks a window's client object as a polite live region.
    bool (*markPoliteLiveRegion)(HWND window) = nullptr;
    // A UI Automation notification from the window, spoken once what is
    // being spoken ends (Windows 10 1709 and later).
    bool (*notify)(HWND window, const std::wstring& text) = nullptr;
};

// A control whose new results readers are told of.
class LiveRegion {
public:
    // The control shows a new result: marked a polite live region first (the
    // first time only; where the platform cannot, it is not asked again),
    // its change raised, and `text` said where a notification can say it.
    void Changed(HWND window, const ReaderServices& services, const std::wstring& text);

private:
    bool markingTried_ = false;
};

// `text` said politely from `window` where a notification can say it; no
// region has changed.
void SayPolitely(HWND window, const ReaderServices& services, const std::wstring& text);

}  // namespace forms
