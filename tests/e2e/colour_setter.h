#pragma once
// What the driver and the colour setter it loads into the program share: a
// request in a named memory section, and two named events.

#include <windows.h>

namespace e2e {

constexpr const wchar_t* kColourRequestName = L"Local\\ZemranaTestColourRequest";
constexpr const wchar_t* kColourAskedName = L"Local\\ZemranaTestColoursAsked";
constexpr const wchar_t* kColourDoneName = L"Local\\ZemranaTestColoursDone";

struct ColourRequest {
    int count;
    INT indices[8];
    COLORREF colours[8];
    BOOL stop;  // the setter ends and unloads itself
};

}  // namespace e2e
