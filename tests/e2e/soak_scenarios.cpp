#include "scenarios.h"

#include <random>
#include <regex>

namespace e2e {
namespace {

bool Responding(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) != 0;
}

COLORREF CaptionTopRow(const Program& program) {
    RECT area;
    GetWindowRect(program.Form(), &area);
    int frame = GetSystemMetrics(SM_CXDLGFRAME);
    return ScreenPixel(area.left + 300, area.top + frame);
}

// Frame repaints forced from outside, and the activation taken away by a
// window of the driver's and given back, again and again.
void PaintCyclesLeaveNoGdiObject(Checks& checks, const Program& program, int cycles) {
    HWND other = CreateDriverWindow(L"ZemranaSoakWindow", DefWindowProcW, 650, 520);
    program.Activate();
    RedrawWindow(program.Form(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);  // warm-up
    GdiCount before = SettledGdiObjects(program);
    DWORD start = GetTickCount();
    for (int cycle = 0; cycle < cycles; ++cycle) {
        if (cycle % 10 == 0) {
            SetForegroundWindow(cycle % 20 == 0 ? other : program.Form());
            PumpMessages();
        } else {
            RedrawWindow(program.Form(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        }
    }
    program.Activate();
    RedrawWindow(program.Form(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    GdiCount after = SettledGdiObjects(program);
    DestroyWindow(other);
    std::printf("# %d paint cycles in %lu ms; live GDI objects %ld before, %ld after\n", cycles,
                static_cast<unsigned long>(GetTickCount() - start), before.live, after.live);
    CheckNoGdiObjectLeaked(checks, std::to_string(cycles) + " caption paint cycles leak no GDI object",
                        before, after);
    checks.Check(Responding(program.Form()), "the program responds after the paint cycles");
}

std::wstring RandomClipboardText(std::mt19937& random) {
    static const wchar_t* const kinds[] = {L"", L"12345", L"999999999999", L"-42", L"1e5", L"abc", L"   ", L"1.2.3",
                                           L"\u0661\u0662", L"+.", L"7 7"};
    if (random() % 4) return kinds[random() % (sizeof kinds / sizeof kinds[0])];
    std::wstring text;
    for (size_t length = random() % 40; length > 0; --length) text += static_cast<wchar_t>(L' ' + random() % 95);
    return text;
}

// Every result box is empty or holds a number as the calculator writes them
// (sign, digits, decimals, "E" exponent); the input holds at most 8
// characters. Returns what is wrong, or "".
std::string BoxesProblem(const Program& program) {
    static const std::regex writtenNumber(R"(-?[0-9]+(\.[0-9]+)?(E[+-][0-9]{2,3})?)");
    if (program.Text(kB).size() > 8) return "b holds " + Narrow(program.Text(kB));
    for (int box : {kC, kD, kE, kF, kG, kH}) {
        std::string text = Narrow(program.Text(box));
        if (!text.empty() && !std::regex_match(text, writtenNumber)) {
            return "box " + std::to_string(box) + " holds " + text;
        }
    }
    return "";
}

void RandomKeysAndPastes(Checks& checks, const Program& program, int presses) {
    program.Activate();
    std::mt19937 random(2026);
    const wchar_t typed[] = L"0123456789...abcxyz-+eE,/ \u0661";
    std::string problem;
    bool responding = true;
    int checksWithResults = 0;
    DWORD start = GetTickCount();
    for (int press = 1; press <= presses && problem.empty() && responding; ++press) {
        switch (random() % 10) {
            case 0: program.Press(VK_RETURN); break;
            case 1: program.Press(VK_SPACE); break;
            case 2: program.Press(VK_BACK); break;
            case 3: program.Paste(RandomClipboardText(random)); break;
            default: program.Type(std::wstring(1, typed[random() % (sizeof typed / sizeof typed[0] - 1)])); break;
        }
        if (press % 50 == 0) {
            if (GetForegroundWindow() != program.Form()) program.Activate();
            responding = Responding(program.Form());
            problem = BoxesProblem(program);
            checksWithResults += !program.Text(kC).empty();
        }
    }
    std::printf("# %d random keys and pastes in %lu ms; results shown at %d of %d checks\n", presses,
                static_cast<unsigned long>(GetTickCount() - start), checksWithResults, presses / 50);
    checks.Check(responding && program.Running(), std::to_string(presses) + " random keys and pastes: still running and responding");
    checks.Check(problem.empty(), "b never holds more than 8 characters, results are empty or numbers", problem);
    checks.Check(checksWithResults > 0, "the random keys calculated results at times",
                 std::to_string(checksWithResults) + " of " + std::to_string(presses / 50) + " checks");
    program.Activate();
    RedrawWindow(program.Form(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    COLORREF topRow = ExpectedCaptionRows(GetSystemMetrics(SM_CYCAPTION), kActiveCaptionTop, kActiveCaptionBottom)[0];
    checks.Check(CaptionTopRow(program) == topRow, "the caption still paints after the keys and pastes",
                 ColourText(CaptionTopRow(program)) + " not " + ColourText(topRow));
}

}  // namespace

void RunSoakScenarios(Checks& checks, const std::wstring& exePath, int scale) {
    Program program(exePath);
    checks.Check(program.Started(), "the program starts for the soak");
    if (!program.Started()) return;
    PaintCyclesLeaveNoGdiObject(checks, program, 10000 * scale);
    RandomKeysAndPastes(checks, program, 5000 * scale);
}

}  // namespace e2e
