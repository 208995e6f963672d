#include "scenarios.h"

#include <algorithm>

namespace e2e {
namespace {

int Red(COLORREF colour) { return GetRValue(colour); }
int Blue(COLORREF colour) { return GetBValue(colour); }

// Where the caption lies on the screen: its frame offset F from the window's
// corner, its painted rows (the caption height less one), a column clear of
// icon, title and buttons, and the span of such columns up to the close
// button (window coordinates), which the title's font and the buttons grow
// with the screen's scale.
struct CaptionGeometry {
    RECT window;
    int frame;
    int height;
    int rows;
    int clearColumn;
    int spanLeft;
    int spanRight;
};

CaptionGeometry Measure(const Program& program) {
    CaptionGeometry geometry{};
    GetWindowRect(program.Form(), &geometry.window);
    geometry.frame = GetSystemMetrics(SM_CXDLGFRAME);
    geometry.height = GetSystemMetrics(SM_CYCAPTION);
    geometry.rows = geometry.height - 1;
    geometry.spanLeft = 300 * ScreenDpi() / 96;
    geometry.spanRight = geometry.window.right - geometry.window.left - geometry.frame - GetSystemMetrics(SM_CXSIZE) - 2;
    geometry.clearColumn = geometry.window.left + geometry.spanLeft;
    return geometry;
}

COLORREF CaptionPixel(const CaptionGeometry& geometry, int x, int row) {
    return ScreenPixel(geometry.window.left + x, geometry.window.top + geometry.frame + row);
}

// The caption's rows across the clear span, the frame's row below them
// included.
Image CaptionRows(const CaptionGeometry& geometry) {
    int top = geometry.window.top + geometry.frame;
    return CaptureScreen(RECT{geometry.window.left + geometry.spanLeft, top,
                              geometry.window.left + geometry.spanRight, top + geometry.height});
}

// The colours of the painted rows at the clear column.
std::vector<COLORREF> RowColours(const CaptionGeometry& geometry) {
    Image rows = CaptionRows(geometry);
    std::vector<COLORREF> colours;
    for (int row = 0; row < geometry.rows; ++row) colours.push_back(rows.At(0, row));
    return colours;
}

// Every painted row, across the whole clear span, in its colour of the ramp;
// below them the caption's last row, which the frame paints, holds no black
// (what a row copied from outside the caption's picture shows).
void CheckRamp(Checks& checks, const CaptionGeometry& geometry, COLORREF top, COLORREF bottom, const char* state) {
    Image rows = CaptionRows(geometry);
    std::vector<COLORREF> expected = ExpectedCaptionRows(geometry.height, top, bottom);
    std::string seen;
    int wrongRows = 0;
    for (int row = 0; row < geometry.rows; ++row) {
        int wrong = 0;
        for (int x = 0; x < rows.width; ++x) wrong += rows.At(x, row) != expected[static_cast<size_t>(row)];
        if (wrong && ++wrongRows <= 8) {
            seen += " row " + std::to_string(row) + ": " + std::to_string(wrong) + " of " + std::to_string(rows.width) +
                    " pixels, " + ColourText(rows.At(0, row)) + " not " + ColourText(expected[static_cast<size_t>(row)]);
        }
    }
    checks.Check(wrongRows == 0 && rows.width > 0,
                 std::string(state) + " caption rows F..F+" + std::to_string(geometry.rows - 1) + " run the ramp of a " +
                     std::to_string(geometry.height) + "-pixel caption across columns " +
                     std::to_string(geometry.spanLeft) + ".." + std::to_string(geometry.spanRight - 1),
                 std::to_string(wrongRows) + " rows wrong:" + seen);
    int black = 0;
    for (int x = 0; x < rows.width; ++x) black += rows.At(x, geometry.rows) == RGB(0, 0, 0);
    checks.Check(black == 0, std::string(state) + " caption's last row, the frame's, has no black pixel",
                 std::to_string(black) + " black pixels, " + ColourText(rows.At(0, geometry.rows)) + " at its start");
}

// The title's colour among the pixels where the title begins, right of the
// icon; the title's font grows with the screen's scale.
bool TitleHasColour(const CaptionGeometry& geometry, COLORREF colour) {
    int scale = ScreenDpi();
    int left = geometry.window.left + geometry.frame;
    int top = geometry.window.top + geometry.frame;
    Image title = CaptureScreen(RECT{left + 20 * scale / 96, top, left + 90 * scale / 96, top + geometry.rows});
    return std::find(title.pixels.begin(), title.pixels.end(), colour) != title.pixels.end();
}

void CheckNoPlatformCaption(Checks& checks, const CaptionGeometry& geometry, const char* state) {
    const int platformColours[] = {COLOR_ACTIVECAPTION, COLOR_GRADIENTACTIVECAPTION, COLOR_INACTIVECAPTION,
                                   COLOR_GRADIENTINACTIVECAPTION};
    int width = geometry.window.right - geometry.window.left;
    int top = geometry.window.top + geometry.frame;
    Image band = CaptureScreen(RECT{geometry.window.left + geometry.frame, top,
                                    geometry.window.right - geometry.frame, top + geometry.rows + 1});
    int found = 0;
    for (COLORREF pixel : band.pixels) {
        for (int colour : platformColours) found += pixel == GetSysColor(colour);
    }
    checks.Check(found == 0, std::string("no pixel of the platform's caption colours in the ") + state + " caption band",
                 std::to_string(found) + " found");

    // The painted band ends exactly at the frame on every side.
    COLORREF ramp = CaptionPixel(geometry, geometry.spanLeft, 5);
    bool fits = CaptionPixel(geometry, geometry.frame - 1, 5) != ramp &&
                CaptionPixel(geometry, width - geometry.frame, 5) != ramp &&
                CaptionPixel(geometry, width - geometry.frame - 1, 5) == ramp &&
                CaptionPixel(geometry, geometry.frame, 5) == ramp &&
                ScreenPixel(geometry.clearColumn, geometry.window.top + geometry.frame - 1) != RowColours(geometry)[0];
    checks.Check(fits, std::string("the ") + state + " caption fits the frame exactly");
}

// A window of the driver's that takes the activation away, in the screen's
// top-left corner: clear of the form at every scale (the form's design place
// starts 154 by 196 pixels in at 96 DPI, and further in at larger scales).
HWND OpenOtherWindow() { return CreateDriverWindow(L"ZemranaOtherWindow", DefWindowProcW, 0, 0); }

void SendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// Where a drag of the caption starts: clear of the icon, the title and the
// buttons, halfway down the caption.
POINT CaptionGrip(const RECT& window) {
    return POINT{window.left + 250, window.top + GetSystemMetrics(SM_CXDLGFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
}

// Presses the caption, drags it by (60, 40) in ten steps and releases it.
// Returns whether the window followed.
bool DragCaption(const Program& program, std::string& seen) {
    RECT before;
    GetWindowRect(program.Form(), &before);
    POINT grip = CaptionGrip(before);
    SetCursorPos(grip.x, grip.y);
    Sleep(50);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 10; ++step) {
        Sleep(20);
        SetCursorPos(grip.x + 6 * step, grip.y + 4 * step);
        SendMouse(MOUSEEVENTF_MOVE);
    }
    Sleep(50);
    SendMouse(MOUSEEVENTF_LEFTUP);
    // The press starts a move through SC_MOVE, which the window manager runs
    // like a keyboard move: it puts the pointer in the caption's middle and
    // the window follows it from there, so only the vertical drag is certain.
    RECT after{};
    bool moved = WaitUntil([&] {
        GetWindowRect(program.Form(), &after);
        return after.top - before.top >= 30 && after.right - after.left == before.right - before.left;
    }, 1000);
    seen = "from " + std::to_string(before.left) + "," + std::to_string(before.top) + " to " +
           std::to_string(after.left) + "," + std::to_string(after.top);
    return moved;
}

// Another window takes the activation and goes; the form is brought back and
// its caption dragged 200 ms later, while the activation is still settling.
// Each drag starts from the same place and more than the double-click time
// after the one before: a second press within it is a double click, which
// moves nothing.
void DragsAfterReactivation(Checks& checks, const Program& program, int drags) {
    RECT home;
    GetWindowRect(program.Form(), &home);
    POINT grip = CaptionGrip(home);
    int moved = 0;
    std::string failures;
    for (int drag = 1; drag <= drags; ++drag) {
        SetWindowPos(program.Form(), nullptr, home.left, home.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        // The pointer waits where the drag begins: under Wine's virtual
        // desktop, windows that appear or vanish under the pointer make the
        // desktop report the pointer's place late, which would undo a warp.
        SetCursorPos(grip.x, grip.y);
        HWND other = OpenOtherWindow();
        SetForegroundWindow(other);
        WaitUntil([&] {
            PumpMessages();
            return GetForegroundWindow() == other;
        });
        DestroyWindow(other);
        program.Activate();
        Sleep(200);
        std::string seen;
        if (DragCaption(program, seen)) {
            ++moved;
        } else {
            failures += " #" + std::to_string(drag) + " " + seen;
        }
        Sleep(GetDoubleClickTime());
    }
    SetWindowPos(program.Form(), nullptr, home.left, home.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    checks.Check(moved == drags,
                 std::to_string(drags) + " caption drags in a row after a reactivation each move the window",
                 std::to_string(moved) + " moved;" + failures);
}

}  // namespace

void RunCaptionScenarios(Checks& checks, const std::wstring& exePath, const std::wstring& screenshotFolder) {
    Program program(exePath);
    checks.Check(program.Started(), "the program starts for the caption checks");
    if (!program.Started()) return;
    program.Activate();
    Sleep(300);

    checks.Check(GetPropA(program.Form(), "OldMeProc") != nullptr, "the property OldMeProc is present while it runs");
    checks.Check((GetWindowLongW(program.Form(), GWL_STYLE) & 0x80) != 0, "the fixed frame carries style bit 0x80");

    CaptionGeometry geometry = Measure(program);
    // Active: from the end colour (0, 128, 255) at the top toward the start
    // colour (0, 0, 128); inactive: from blue (0, 0, 255) toward black.
    CheckRamp(checks, geometry, kActiveCaptionTop, kActiveCaptionBottom, "active");
    checks.Check(TitleHasColour(geometry, RGB(0, 255, 0)), "the active title is green");
    // The icon's top-left corner is its dark blue border; a quarter down its
    // middle column lies the brick-red roof, at any size it is drawn.
    int iconLeft = geometry.frame + 1;
    int iconSize = GetSystemMetrics(SM_CXSIZE) - 2;
    COLORREF corner = CaptionPixel(geometry, iconLeft, 1);
    COLORREF roof = CaptionPixel(geometry, iconLeft + iconSize / 2, 1 + iconSize / 4);
    checks.Check(corner == RGB(0, 0, 128) && Red(roof) > 128 && Blue(roof) < 96, "the icon is drawn at (F+1, F+1)",
                 ColourText(corner) + " " + ColourText(roof));
    int width = geometry.window.right - geometry.window.left;
    int closeRight = width - geometry.frame - 2;
    int closeLeft = closeRight - GetSystemMetrics(SM_CXSIZE) + 2;
    int faces = 0, glyph = 0;
    for (int x = closeLeft; x < closeRight; ++x) {
        for (int row = 2; row < geometry.rows - 3; ++row) {
            COLORREF pixel = CaptionPixel(geometry, x, row);
            faces += pixel == GetSysColor(COLOR_BTNFACE);
            glyph += pixel == RGB(0, 0, 0);
        }
    }
    checks.Check(faces > 50 && glyph > 5, "the close button is drawn",
                 std::to_string(faces) + " face and " + std::to_string(glyph) + " glyph pixels");
    CheckNoPlatformCaption(checks, geometry, "active");
    checks.Check(SaveWindowImage(program.Form(), screenshotFolder + L"\\caption-active.bmp"),
                 "screenshot of the active window saved");

    HWND other = OpenOtherWindow();
    SetForegroundWindow(other);
    WaitUntil([&] {
        PumpMessages();
        return GetForegroundWindow() == other;
    });
    Sleep(300);
    PumpMessages();
    CheckRamp(checks, geometry, RGB(0, 0, 255), RGB(0, 0, 0), "inactive");
    checks.Check(TitleHasColour(geometry, RGB(192, 192, 192)) && !TitleHasColour(geometry, RGB(0, 255, 0)),
                 "the inactive title is grey");
    CheckNoPlatformCaption(checks, geometry, "inactive");
    checks.Check(SaveWindowImage(program.Form(), screenshotFolder + L"\\caption-inactive.bmp"),
                 "screenshot of the inactive window saved");
    DestroyWindow(other);

    DragsAfterReactivation(checks, program, 20);
}

}  // namespace e2e
