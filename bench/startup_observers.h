// Start-up as seen from outside, by several observers in turn, and what each
// program raises while it starts.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace bench {

// How a start is watched. Each observer learns, in its own way, when the new
// process first shows a top-level window, and each costs the start something
// of its own. Between two looks they sleep.
enum class Observer {
    ThreadWindows,            // asks every 2 ms for the windows of the process's first thread
    AllWindows,               // enumerates every top-level window every 5 ms
    WinEventHook,             // is told of each window created, out of context, and looks every 2 ms
    ThreadWindowsBesideHook,  // as ThreadWindows, with that hook in place and its events dropped unread
};

// Starts a program and waits, as the observer does, until one of its
// top-level windows shows. Returns the seconds from CreateProcess to then
// (or -1) and the window.
double StartAndWaitUntilShown(const std::wstring& exePath, const std::wstring& arguments, Observer observer,
                              PROCESS_INFORMATION& process, HWND& shownWindow);

int StartupTimes(const std::wstring& zemrana, const std::wstring& bare, const std::wstring& twin, int runs);
int StartupEvents(const std::vector<std::pair<const char*, std::wstring>>& programs, int runs);

}  // namespace bench
