#include "scenarios.h"

#include <cstdlib>

namespace e2e {
namespace {

int Red(COLORREF colour) { return GetRValue(colour); }
int Green(COLORREF colour) { return GetGValue(colour); }
int Blue(COLORREF colour) { return GetBValue(colour); }

std::string Hex(COLORREF colour) {
    char text[16];
    std::snprintf(text, sizeof text, "(%d,%d,%d)", Red(colour), Green(colour), Blue(colour));
    return text;
}

// Where the caption lies on the screen: its frame offset F from the window's
// corner, its 18 painted rows and a column clear of icon, title and buttons.
struct CaptionGeometry {
    RECT window;
    int frame;
    int rows;
    int clearColumn;
};

CaptionGeometry Measure(const Program& program) {
    CaptionGeometry geometry{};
    GetWindowRect(program.Form(), &geometry.window);
    geometry.frame = GetSystemMetrics(SM_CXDLGFRAME);
    geometry.rows = GetSystemMetrics(SM_CYCAPTION) - 1;
    geometry.clearColumn = geometry.window.left + 300;
    return geometry;
}

COLORREF CaptionPixel(const CaptionGeometry& geometry, int x, int row) {
    return ScreenPixel(geometry.window.left + x, geometry.window.top + geometry.frame + row);
}

// The colours of the painted rows at the clear column.
std::vector<COLORREF> RowColours(const CaptionGeometry& geometry) {
    std::vector<COLORREF> colours;
    for (int row = 0; row < geometry.rows; ++row) {
        colours.push_back(ScreenPixel(geometry.clearColumn, geometry.window.top + geometry.frame + row));
    }
    return colours;
}

bool TitleHasColour(const CaptionGeometry& geometry, COLORREF colour) {
    for (int row = 0; row < geometry.rows; ++row) {
        for (int x = geometry.frame + 20; x < geometry.frame + 90; ++x) {
            if (CaptionPixel(geometry, x, row) == colour) return true;
        }
    }
    return false;
}

void CheckRamp(Checks& checks, const CaptionGeometry& geometry, COLORREF first, COLORREF last, const char* state) {
    std::vector<COLORREF> rows = RowColours(geometry);
    bool falling = true;
    for (size_t i = 1; i < rows.size(); ++i) {
        falling = falling && Blue(rows[i]) <= Blue(rows[i - 1]) && Green(rows[i]) <= Green(rows[i - 1]) &&
                  rows[i] != rows[i - 1];
    }
    std::string seen = Hex(rows.front()) + " .. " + Hex(rows.back()) + " over " + std::to_string(rows.size()) + " rows";
    checks.Check(rows.size() == 18 && rows.front() == first && rows.back() == last && falling,
                 std::string(state) + " caption rows F..F+17 run the ramp", seen);
}

void CheckNoPlatformCaption(Checks& checks, const CaptionGeometry& geometry, const char* state) {
    const int platformColours[] = {COLOR_ACTIVECAPTION, COLOR_GRADIENTACTIVECAPTION, COLOR_INACTIVECAPTION,
                                   COLOR_GRADIENTINACTIVECAPTION};
    int width = geometry.window.right - geometry.window.left;
    int found = 0;
    for (int row = 0; row <= geometry.rows; ++row) {
        for (int x = geometry.frame; x < width - geometry.frame; ++x) {
            COLORREF pixel = CaptionPixel(geometry, x, row);
            for (int colour : platformColours) found += pixel == GetSysColor(colour);
        }
    }
    checks.Check(found == 0, std::string("no pixel of the platform's caption colours in the ") + state + " caption band",
                 std::to_string(found) + " found");

    // The painted band ends exactly at the frame on every side.
    COLORREF ramp = CaptionPixel(geometry, 300, 5);
    bool fits = CaptionPixel(geometry, geometry.frame - 1, 5) != ramp &&
                CaptionPixel(geometry, width - geometry.frame, 5) != ramp &&
                CaptionPixel(geometry, width - geometry.frame - 1, 5) == ramp &&
                CaptionPixel(geometry, geometry.frame, 5) == ramp &&
                ScreenPixel(geometry.clearColumn, geometry.window.top + geometry.frame - 1) != RowColours(geometry)[0];
    checks.Check(fits, std::string("the ") + state + " caption fits the frame exactly");
}

void SendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

void DragCaption(Checks& checks, const Program& program) {
    RECT before;
    GetWindowRect(program.Form(), &before);
    POINT grip{before.left + 250, before.top + 10};
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
    // like a keyboard move: the window follows the pointer from the caption's
    // middle, so only the direction and size of the drag are certain.
    RECT after{};
    bool moved = WaitUntil([&] {
        GetWindowRect(program.Form(), &after);
        return after.left - before.left >= 30 && after.top - before.top >= 20 &&
               after.right - after.left == before.right - before.left;
    });
    checks.Check(moved, "pressing and dragging the caption moves the window",
                 "from " + std::to_string(before.left) + "," + std::to_string(before.top) + " to " +
                     std::to_string(after.left) + "," + std::to_string(after.top));
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
    CheckRamp(checks, geometry, RGB(0, 121, 248), RGB(0, 7, 135), "active");
    checks.Check(TitleHasColour(geometry, RGB(0, 255, 0)), "the active title is green");
    int iconLeft = geometry.frame + 1;  // the icon's top-left corner is its dark blue border
    COLORREF corner = CaptionPixel(geometry, iconLeft, 1);
    COLORREF roof = CaptionPixel(geometry, iconLeft + 8, 1 + 4);
    checks.Check(corner == RGB(0, 0, 128) && Red(roof) > 128 && Blue(roof) < 96, "the icon is drawn at (F+1, F+1)",
                 Hex(corner) + " " + Hex(roof));
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

    HWND other = CreateDriverWindow(L"ZemranaOtherWindow", DefWindowProcW, 600, 500);
    SetForegroundWindow(other);
    WaitUntil([&] {
        PumpMessages();
        return GetForegroundWindow() == other;
    });
    Sleep(300);
    PumpMessages();
    CheckRamp(checks, geometry, RGB(0, 0, 242), RGB(0, 0, 13), "inactive");
    checks.Check(TitleHasColour(geometry, RGB(192, 192, 192)) && !TitleHasColour(geometry, RGB(0, 255, 0)),
                 "the inactive title is grey");
    CheckNoPlatformCaption(checks, geometry, "inactive");
    checks.Check(SaveWindowImage(program.Form(), screenshotFolder + L"\\caption-inactive.bmp"),
                 "screenshot of the inactive window saved");
    DestroyWindow(other);

    program.Activate();
    Sleep(200);
    DragCaption(checks, program);
}

}  // namespace e2e
