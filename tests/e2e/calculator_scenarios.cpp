#include "scenarios.h"

#include "app/form1_description.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace e2e {
namespace {

const std::array<int, 7> kValueBoxes = {kB, kC, kD, kE, kF, kG, kH};

}  // namespace

std::string Describe(const Program& program) {
    std::string texts;
    const char* names = "bcdefgh";
    for (size_t i = 0; i < kValueBoxes.size(); ++i) {
        texts += std::string(1, names[i]) + "='" + Narrow(program.Text(kValueBoxes[i])) + "' ";
    }
    return texts + "focus=" + std::to_string(program.FocusId());
}

bool AllEmpty(const Program& program, std::initializer_list<int> boxes) {
    for (int box : boxes) {
        if (!program.Text(box).empty()) return false;
    }
    return true;
}

void ClearWithSpace(const Program& program) {
    program.Press(VK_SPACE);
    WaitUntil([&] { return AllEmpty(program, {kB, kC, kD, kE, kF}) && program.FocusId() == kB; });
}

namespace {

// The start of a span moved into [low, high) as little as it must, its start
// kept inside when it is longer.
long MovedInside(long start, long length, long low, long high) {
    if (start + length > high) start = high - length;
    return std::max(start, low);
}

// The client area is designed to lie at the form's design position. Where the window
// fits the work area of its monitor there, it opens exactly there; otherwise
// it is moved in just far enough.
void OpensOnTheScreen(Checks& checks, const Program& program, int dpi) {
    RECT window;
    GetWindowRect(program.Form(), &window);
    POINT client{0, 0};
    ClientToScreen(program.Form(), &client);
    long width = window.right - window.left;
    long height = window.bottom - window.top;
    long designLeft = std::lround(kForm1.left * dpi / 1440.0) - (client.x - window.left);
    long designTop = std::lround(kForm1.top * dpi / 1440.0) - (client.y - window.top);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(program.Form(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    long left = MovedInside(designLeft, width, work.left, work.right);
    long top = MovedInside(designTop, height, work.top, work.bottom);
    bool fits = left == designLeft && top == designTop;
    checks.Check(window.left == left && window.top == top,
                 std::string(fits ? "the window opens at its design place" : "the window is moved inside the work area") +
                     " (" + std::to_string(left) + "," + std::to_string(top) + ")",
                 "at (" + std::to_string(window.left) + "," + std::to_string(window.top) + ") in a work area to (" +
                     std::to_string(work.right) + "," + std::to_string(work.bottom) + ")");
    checks.Check(window.left >= work.left && window.top >= work.top && window.right <= work.right &&
                     window.bottom <= work.bottom,
                 "the whole window lies inside the work area");
}

void FirstAppearance(Checks& checks, const Program& program) {
    wchar_t title[64] = {};
    GetWindowTextW(program.Form(), title, 64);
    checks.Check(std::wstring(title) == L"Zemrana", "window titled Zemrana", Narrow(title));
    // 6015 x 3660 twips at the screen's scale: 401 x 244 pixels at 96 DPI.
    int dpi = ScreenDpi();
    long width = std::lround(6015.0 * dpi / 1440);
    long height = std::lround(3660.0 * dpi / 1440);
    RECT client;
    GetClientRect(program.Form(), &client);
    checks.Check(client.right == width && client.bottom == height,
                 "client area " + std::to_string(width) + "x" + std::to_string(height) + " pixels at " +
                     std::to_string(dpi) + " DPI",
                 std::to_string(client.right) + "x" + std::to_string(client.bottom));
    checks.Check(program.FocusId() == kB, "focus starts in b", Describe(program));
    checks.Check(AllEmpty(program, {kB, kC, kD, kE, kF, kG, kH}), "all boxes start empty", Describe(program));
    OpensOnTheScreen(checks, program, dpi);
}

void ColoursOfTheBoxes(Checks& checks, const Program& program) {
    // A point near the left end of each box, where right-justified text never reaches.
    for (int box : {kB, kC, kH}) {
        RECT area;
        GetWindowRect(program.Control(box), &area);
        COLORREF colour = ScreenPixel(area.left + 6, area.top + 6);
        checks.Check(colour == RGB(192, 255, 255), "box " + std::to_string(box) + " is light cyan, read-only or not",
                     "pixel " + std::to_string(colour));
    }
}

// Presses Tab until the focus reaches `id`, once around the tab order at most.
bool TabTo(const Program& program, int id) {
    for (int press = 0; press < 10 && program.FocusId() != id; ++press) {
        int before = program.FocusId();
        program.Press(VK_TAB);
        WaitUntil([&] { return program.FocusId() != before; });
    }
    return program.FocusId() == id;
}

void Calculate(const Program& program, const std::wstring& marketValue, const std::wstring& tax) {
    program.Type(marketValue);
    program.Press(VK_RETURN);
    WaitUntil([&] { return program.Text(kF) == tax; });
}

void CoveredControlsAndTooltips(Checks& checks, const Program& program) {
    // e and the three buttons lie under Frame1: the pointer over them reaches
    // the frame or one of its boxes, never the covered control.
    for (int covered : {kE, kCommand1, kCommand2, kCommand3}) {
        RECT area;
        GetWindowRect(program.Control(covered), &area);
        POINT middle{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
        HWND hit = WindowFromPoint(middle);
        HWND frame = program.Control(kFrame1);
        bool frameOrItsBox = hit == frame || IsChild(frame, hit);
        checks.Check(frameOrItsBox, "control " + std::to_string(covered) + " is covered by the frame");
    }
    checks.Check(!program.Tooltip(), "no tooltip is made before the pointer first moves over the form");
    RECT area;
    GetWindowRect(program.Control(kLabel3), &area);
    // Under Wine's virtual desktop a busy machine now and then loses the
    // pointer's first move after a warp: the pointer moves on a pixel, as a
    // hand would, up to three times.
    HWND tooltip = nullptr;
    int moves = 0;
    while (!tooltip && moves < 3) {
        MovePointer((area.left + area.right) / 2 + moves++, (area.top + area.bottom) / 2);
        tooltip = WaitUntil([&] { return program.Tooltip() != nullptr; }, 1500) ? program.Tooltip() : nullptr;
    }
    PointerAwayFromTheWindow();
    LRESULT tools = tooltip ? SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0) : 0;
    checks.Check(tools == 5, "the pointer moving over the form makes the tooltips on Label3, f, e, g and h",
                 std::to_string(tools) + " tools after " + std::to_string(moves) + " moves");
}

void SpaceClears(Checks& checks, const Program& program) {
    program.Press(VK_SPACE);
    bool cleared = WaitUntil([&] { return AllEmpty(program, {kB, kC, kD, kE, kF}); });
    checks.Check(cleared && program.Text(kG) == L"15555.5442" && program.Text(kH) == L"9555.5442" &&
                     program.FocusId() == kB,
                 "Space in b clears b c d e f, keeps g h, no space typed", Describe(program));

    program.Type(L"1000000");
    program.Press(VK_RETURN);
    WaitUntil([&] { return program.Text(kF) == L"660"; });
    program.Press(VK_TAB);
    program.Press(VK_TAB);  // onto d, a read-only box
    WaitUntil([&] { return program.FocusId() == kD; });
    program.Press(VK_SPACE);
    cleared = WaitUntil([&] { return AllEmpty(program, {kB, kC, kD, kE, kF}) && program.FocusId() == kB; });
    checks.Check(cleared && program.Text(kG) == L"12600", "Space in a read-only box clears and returns to b",
                 Describe(program));
}

void EnterInReadOnlyBoxCalculates(Checks& checks, const Program& program) {
    program.Type(L"400000");
    program.Press(VK_TAB);
    WaitUntil([&] { return program.FocusId() == kC; });
    program.Press(VK_RETURN);
    bool done = WaitUntil([&] { return program.Text(kH) == L"-960"; });
    checks.Check(done && program.Text(kE) == L"-96" && program.Text(kF) == L"0" && program.FocusId() == kB,
                 "Enter in read-only c calculates, a negative net base shows tax 0", Describe(program));
    ClearWithSpace(program);
}

void InputFilterAndLength(Checks& checks, const Program& program) {
    program.Type(L"12a3.4-5");
    program.Type(L"0");  // a marker: once it shows, every key before it was handled
    bool typed = WaitUntil([&] { return program.Text(kB) == L"123.450"; });
    checks.Check(typed, "letters and '-' are discarded from b", Describe(program));
    ClearWithSpace(program);

    program.Type(L"123456789");
    program.Press(VK_TAB);
    WaitUntil([&] { return program.FocusId() == kC; });
    checks.Check(program.Text(kB) == L"12345678", "a ninth typed character is refused", Describe(program));
    ClearWithSpace(program);

    program.Type(L"12");
    program.Paste(L"345678999");
    bool pasted = WaitUntil([&] { return program.Text(kB) == L"12345678"; });
    checks.Check(pasted, "pasting stops at 8 characters", Describe(program));
    ClearWithSpace(program);
}

void TabOrder(Checks& checks, const Program& program) {
    const int forward[] = {kC, kD, kF, kCommand2, kCommand3, kCommand1, kE, kG, kH, kB};
    std::string walked;
    bool inOrder = true;
    for (int expected : forward) {
        program.Press(VK_TAB);
        inOrder = WaitUntil([&] { return program.FocusId() == expected; }, 2000) && inOrder;
        walked += std::to_string(program.FocusId()) + " ";
    }
    checks.Check(inOrder, "Tab walks b c d f Command2 Command3 Command1 e g h and back to b", walked);

    walked.clear();
    inOrder = true;
    for (int i = 8; i >= 0; --i) {
        program.Press(VK_TAB, VK_SHIFT);
        inOrder = WaitUntil([&] { return program.FocusId() == forward[i]; }, 2000) && inOrder;
        walked += std::to_string(program.FocusId()) + " ";
    }
    checks.Check(inOrder, "Shift+Tab walks the same order backwards", walked);
    ClearWithSpace(program);
}

void InvalidMarketValue(Checks& checks, const Program& program) {
    program.Type(L"1000000");
    program.Press(VK_RETURN);
    WaitUntil([&] { return program.Text(kF) == L"660"; });
    ClearWithSpace(program);
    program.Type(L"1.2.3");
    program.Press(VK_RETURN);
    bool emptied = WaitUntil([&] { return AllEmpty(program, {kC, kD, kE, kF, kG, kH}); });
    checks.Check(emptied && program.Text(kB) == L"1.2.3" && program.FocusId() == kB,
                 "1.2.3 and Enter empty the results and keep b", Describe(program));
    Sleep(200);
    checks.Check(program.Running(), "the program keeps running after an invalid value");
    ClearWithSpace(program);
}

// The pointer rests on each control that carries a tip, once the tip of the
// one before has gone, and the tip that shows is read.
void TooltipsAsShown(Checks& checks, const Program& program) {
    const wchar_t* const stampValue = L"قيمة الدمغة";
    const std::pair<int, const wchar_t*> tips[] = {
        {kLabel3, L"أسألكم الدعاء"}, {kF, stampValue}, {kG, stampValue}, {kH, stampValue}};
    HWND tooltip = nullptr;
    RECT window;
    GetWindowRect(program.Form(), &window);
    std::string wrong;
    for (const auto& [control, tip] : tips) {
        MovePointer(window.right + 20, window.bottom + 20);
        WaitUntil([&] { return !IsWindowVisible(tooltip); });
        RECT area;
        GetWindowRect(program.Control(control), &area);
        MovePointer((area.left + area.right) / 2, (area.top + area.bottom) / 2);
        bool tipShown = WaitUntil([&] { return (tooltip = program.Tooltip()) && IsWindowVisible(tooltip); });
        std::wstring shown = tipShown ? WindowText(tooltip) : L"(none)";
        if (shown != tip) wrong += " control " + std::to_string(control) + " shows '" + Narrow(shown) + "'";
    }
    MovePointer(window.right + 20, window.bottom + 20);
    checks.Check(tooltip && wrong.empty(), "the pointer resting on Label3, f, g and h shows their tips", wrong);
}

// The filter drops the control characters that the edit box would act on:
// Ctrl+C (3) would copy, Ctrl+V (22) would paste.
void ClipboardKeysAndBackspace(Checks& checks, const Program& program) {
    SetClipboardText(L"987");
    program.Type(L"12");
    WaitUntil([&] { return program.Text(kB) == L"12"; });
    SendMessageW(program.Control(kB), EM_SETSEL, 0, -1);  // a copy would take it all
    program.Press('C', VK_CONTROL);
    program.Type(L"5");  // replaces the selection: once it shows, Ctrl+C has been handled
    bool replaced = WaitUntil([&] { return program.Text(kB) == L"5"; });
    std::wstring clipboard = ClipboardText();
    checks.Check(replaced && clipboard == L"987", "Ctrl+C in b leaves the clipboard as it was",
                 "clipboard '" + Narrow(clipboard) + "', " + Describe(program));

    program.Press('V', VK_CONTROL);
    program.Type(L"6");
    bool unchanged = WaitUntil([&] { return program.Text(kB) == L"56"; });
    checks.Check(unchanged, "Ctrl+V in b pastes nothing", Describe(program));

    program.Press(VK_BACK);
    bool deleted = WaitUntil([&] { return program.Text(kB) == L"5"; });
    checks.Check(deleted && program.Running(), "Backspace in b deletes the last character", Describe(program));
    ClearWithSpace(program);
}

// Enter clicks the focused button, covered or not; elsewhere the default one.
void EnterOnCoveredButtons(Checks& checks, const Program& program) {
    Calculate(program, L"1000000", L"660");
    bool onClear = TabTo(program, kCommand3);
    program.Press(VK_RETURN);
    bool cleared = WaitUntil([&] { return AllEmpty(program, {kB, kC, kD, kE, kF}) && program.FocusId() == kB; });
    checks.Check(onClear && cleared && program.Text(kG) == L"12600",
                 "Enter on the covered C button clears instead of calculating, focus in b", Describe(program));

    program.Type(L"2000000");
    bool onCalculate = TabTo(program, kCommand1);
    program.Press(VK_RETURN);
    bool calculated = WaitUntil([&] { return program.Text(kF) == L"1920" && program.FocusId() == kB; });
    checks.Check(onCalculate && calculated && program.Text(kC) == L"1200000",
                 "Enter on the covered Calculate button calculates, focus back in b", Describe(program));
    ClearWithSpace(program);
}

// A button clicks when the Space key comes up while it has the focus; the
// Clear that Space runs has moved the focus to b by then.
void SpaceOnTheCoveredExitButton(Checks& checks, const Program& program) {
    Calculate(program, L"1000000", L"660");
    bool onExit = TabTo(program, kCommand2);
    program.Press(VK_SPACE);
    program.Type(L"7");  // once it shows in b, the Space key's release has been handled too
    bool typed = WaitUntil([&] { return program.Text(kB) == L"7" || !program.Running(); });
    checks.Check(onExit && typed && program.Running() && AllEmpty(program, {kC, kD, kE, kF}),
                 "Space on the covered Exit button clears, moves the focus to b and the program runs on",
                 program.Running() ? Describe(program) : "the program ended");
}

}  // namespace

void CalculatesTheChain(Checks& checks, const Program& program) {
    program.Type(L"1234567");
    program.Press(VK_RETURN);
    bool filled = WaitUntil([&] { return program.Text(kF) == L"955.55442"; });
    checks.Check(filled && program.Text(kB) == L"1234567" && program.Text(kC) == L"740740.2" &&
                     program.Text(kD) == L"22222.21" && program.Text(kG) == L"15555.5442" &&
                     program.Text(kH) == L"9555.5442" && program.Text(kE) == L"955.55",
                 "1234567 and Enter fill the tax chain", Describe(program));
    checks.Check(program.FocusId() == kB, "focus back in b after Enter", Describe(program));
}

void RunControlScenarios(Checks& checks, const std::wstring& exePath) {
    Program program(exePath);
    checks.Check(program.Started(), "the program starts for the tooltip and key checks");
    if (!program.Started()) return;
    program.Activate();
    TooltipsAsShown(checks, program);
    ClipboardKeysAndBackspace(checks, program);
    EnterOnCoveredButtons(checks, program);
    SpaceOnTheCoveredExitButton(checks, program);
}

void RunCalculatorScenarios(Checks& checks, const std::wstring& exePath, const std::wstring& screenshotPath) {
    Program program(exePath);
    checks.Check(program.Started(), "the program starts and shows its window");
    if (!program.Started()) return;
    program.Activate();
    FirstAppearance(checks, program);
    ColoursOfTheBoxes(checks, program);
    CoveredControlsAndTooltips(checks, program);
    CalculatesTheChain(checks, program);
    checks.Check(SaveWindowImage(program.Form(), screenshotPath), "screenshot saved");
    CheckAppearance(checks, program);
    SpaceClears(checks, program);
    EnterInReadOnlyBoxCalculates(checks, program);
    InputFilterAndLength(checks, program);
    TabOrder(checks, program);
    InvalidMarketValue(checks, program);

    program.Press(VK_ESCAPE);
    checks.Check(program.WaitForExit(2000), "Escape ends the program");

    Program second(exePath);
    if (!second.Started()) return;
    second.Activate();
    for (int i = 0; i < 4; ++i) second.Press(VK_TAB);  // b -> c -> d -> f -> Command2
    bool onExit = WaitUntil([&] { return second.FocusId() == kCommand2; });
    second.Press(VK_RETURN);
    checks.Check(onExit && second.WaitForExit(2000), "Enter on the covered Exit button ends the program");
}

void RunReleaseScenarios(Checks& checks, const std::wstring& exePath) {
    Program program(exePath);
    checks.Check(program.Started() && WindowText(program.Form()) == L"Zemrana", "it starts and shows its window");
    if (!program.Started()) return;
    program.Activate();
    CalculatesTheChain(checks, program);
    program.Press(VK_ESCAPE);
    checks.Check(program.WaitForExit(2000), "Escape ends it");
}

}  // namespace e2e
