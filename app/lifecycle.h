#pragma once
// The life of Form1: what loading and unloading it do, and where a closing
// window goes. Written over any form and application object with the forms
// runtime's operations, so the same steps run in the program and in tests.

#include "caption/caption_colors.h"
#include "caption/caption_hook.h"
#include "forms/screen.h"
#include "platform/win32.h"

// Moves the form to the middle of the work area: its right and bottom edges
// bound the extent, which runs from the screen's origin (a taskbar on the
// left or at the top does not shift the middle). The screen's size serves
// when the work area cannot be had.
template <typename Form>
void CenterForm(Form& form, const forms::ScreenMetrics& screen) {
    RECT workArea{};
    float availableWidth = screen.width;
    float availableHeight = screen.height;
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0) != 0) {
        availableWidth = static_cast<float>(workArea.right) * screen.twipsPerPixelX;
        availableHeight = static_cast<float>(workArea.bottom) * screen.twipsPerPixelY;
    }
    form.Move((availableWidth - form.Width()) / 2, (availableHeight - form.Height()) / 2);
}

// The painted caption's colours, 0x00BBGGRR: green on a ramp of blues when
// active, silver on blue to black when not.
struct CaptionColourValues {
    COLORREF activeText, inactiveText, activeStart, activeEnd, inactiveStart, inactiveEnd;
};
constexpr CaptionColourValues kForm1CaptionColours = {
    0xFF00, 0xC0C0C0, 0x800000,
    0xFFFF8000,  // activeEnd: the 16-bit 0x8000 widened with its sign
    0, 0xFF0000};

// A second copy unloads its form at once and touches nothing else; the first
// starts its clock and puts the painted caption in place before it is shown.
template <typename Application, typename Form>
void LoadForm(const Application& application, Form& form) {
    if (application.PrevInstance()) {
        form.Unload();
        return;
    }
    form.Timer1.SetInterval(1);
    CaptionScheme.customColors = kTrue;
    CaptionScheme.verticalGradient = kTrue;
    CaptionScheme.activeTextColor = kForm1CaptionColours.activeText;
    CaptionScheme.inactiveTextColor = kForm1CaptionColours.inactiveText;
    CaptionScheme.activeStartColor = kForm1CaptionColours.activeStart;
    CaptionScheme.activeEndColor = kForm1CaptionColours.activeEnd;
    CaptionScheme.inactiveStartColor = kForm1CaptionColours.inactiveStart;
    CaptionScheme.inactiveEndColor = kForm1CaptionColours.inactiveEnd;
    LoadCaptionFont();
    HookCaption(form);
}

// The form's own window procedure is back before it moves to the middle of
// the work area and goes; the unload is never cancelled.
template <typename Form>
void UnloadForm(Form& form, const forms::ScreenMetrics& screen) {
    UnhookCaption(form);
    CenterForm(form, screen);
}
