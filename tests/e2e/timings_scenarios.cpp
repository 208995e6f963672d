// The benchmarks' instrumented twin of the program, started with --timings:
// the figures it writes to tell where the time goes, and a window that works
// as before while and after they are taken. The shipped program takes no
// command line: started the same way, it writes nothing.
#include "scenarios.h"

#include <string>
#include <vector>

namespace e2e {
namespace {

double FigureOf(const std::vector<Figure>& figures, const std::string& name) {
    for (const Figure& figure : figures) {
        if (figure.name == name) return figure.milliseconds;
    }
    return -1;
}

// A file in the temporary folder, not there yet; a space in its name, so that
// the switch's value must be quoted.
std::wstring FreshTimingsPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    std::wstring path = std::wstring(folder) + L"zemrana e2e " + name + L".txt";
    DeleteFileW(path.c_str());
    return path;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring TimingsSwitch(const std::wstring& path) { return L"--timings \"" + path + L"\""; }

void ShippedProgramWritesNothing(Checks& checks, const std::wstring& exePath) {
    std::wstring path = FreshTimingsPath(L"shipped");
    Program program(exePath, true, TimingsSwitch(path));
    // The twin writes its figures within about a second of its first idle.
    Sleep(3000);
    bool calculates = false;
    if (program.Started()) {
        program.Activate();
        program.Type(L"1234567");
        program.Press(VK_RETURN);
        calculates = WaitUntil([&] { return program.Text(kF) == L"955.55442"; });
    }
    checks.Check(program.Started() && calculates && !Exists(path) && !Exists(path + L".part"),
                 "started with --timings the shipped program writes nothing and calculates as ever");
    DeleteFileW(path.c_str());
}

void FiguresOfTheTwin(Checks& checks, const std::wstring& timedPath) {
    std::wstring path = FreshTimingsPath(L"timings");
    Program program(timedPath, true, TimingsSwitch(path));
    std::vector<Figure> figures;
    bool written = WaitUntil([&] { return !(figures = ReadFigures(path)).empty(); }, 30000);
    checks.Check(written, "started with --timings the instrumented twin writes its figures once it is idle");
    DeleteFileW(path.c_str());

    // Each phase once, in the order the start runs them: Form_Load before the
    // window shows, its first paint before the message loop first idles.
    const char* const phases[] = {"process entry", "single-instance check", "screen DPI (the display's first use)",
                                  "font lookup", "class registration", "window creation", "control creation",
                                  "Form_Load", "show", "first paint", "until first idle"};
    size_t next = 0;
    std::string wrong;
    for (const Figure& figure : figures) {
        if (figure.milliseconds < 0 || figure.milliseconds > 60000) wrong += " " + figure.name;
        if (next < std::size(phases) && figure.name == phases[next]) ++next;
    }
    checks.Check(next == std::size(phases) && wrong.empty(), "the start-up phases, in their order, in milliseconds",
                 std::to_string(next) + " of " + std::to_string(std::size(phases)) + " in order; out of range:" + wrong);

    int repaints = 0;
    bool positive = true;
    for (const Figure& figure : figures) {
        if (figure.name != "full repaint") continue;
        ++repaints;
        positive = positive && figure.milliseconds > 0 && figure.milliseconds < 1000;
    }
    checks.Check(repaints == 15 && positive, "15 full repaints, each timed", std::to_string(repaints) + " repaints");
    bool costed = FigureOf(figures, "repaint form WM_NCPAINT") > 0 && FigureOf(figures, "repaint labels WM_PAINT") > 0 &&
                  FigureOf(figures, "repaint text boxes WM_PAINT") > 0 && FigureOf(figures, "repaint frame WM_PAINT") > 0;
    checks.Check(costed, "a repaint's cost for the form's frame, the frame, the labels and the text boxes");

    program.Activate();
    program.Type(L"1234567");
    program.Press(VK_RETURN);
    bool calculates = WaitUntil([&] { return program.Text(kF) == L"955.55442"; });
    checks.Check(calculates, "after the measured repaints the window calculates as before", "f: " + Narrow(program.Text(kF)));
}

// Written as the twin writes its file: whole under another name, then renamed
// into place.
DWORD WINAPI WriteOneFigure(void* parameter) {
    const std::wstring& path = *static_cast<const std::wstring*>(parameter);
    std::wstring partial = path + L".part";
    HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, "phase|1.250\n", 12, &written, nullptr);
    CloseHandle(file);
    return MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}

// The file is read the moment it appears, as often as it takes to meet the
// instant when the rename is done but the writer still holds the file.
void FiguresReadTheMomentTheyAppear(Checks& checks) {
    std::wstring path = FreshTimingsPath(L"rename");
    constexpr int kTries = 300;
    int whole = 0;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        DeleteFileW(path.c_str());
        HANDLE writer = CreateThread(nullptr, 0, WriteOneFigure, &path, 0, nullptr);
        if (!writer) break;
        DWORD written = STILL_ACTIVE;
        while (!Exists(path) && GetExitCodeThread(writer, &written) && written == STILL_ACTIVE) {
        }
        std::vector<Figure> figures = ReadFigures(path);
        WaitForSingleObject(writer, INFINITE);
        CloseHandle(writer);
        if (figures.size() == 1 && figures[0].name == "phase" && figures[0].milliseconds == 1.25) ++whole;
    }
    DeleteFileW(path.c_str());
    checks.Check(whole == kTries, "a figure file is read whole the moment it is renamed into place",
                 std::to_string(whole) + " of " + std::to_string(kTries) + " reads");
}

// The repaints are timed over about a second from the first idle moment; the
// window's own keys and its closing work meanwhile.
void KeysAndClosingWhileMeasuring(Checks& checks, const std::wstring& timedPath) {
    std::wstring path = FreshTimingsPath(L"keys");
    {
        Program program(timedPath, true, TimingsSwitch(path));
        program.Activate();
        program.Type(L"1234567");
        program.Press(VK_RETURN);
        bool calculated = WaitUntil([&] { return program.Text(kF) == L"955.55442"; });
        bool whileMeasuring = !Exists(path);
        checks.Check(calculated && whileMeasuring, "while the repaints are timed, Enter calculates through the form's keys",
                     calculated ? "the figures were written before the result showed" : "f: " + Narrow(program.Text(kF)));
        program.Press(VK_ESCAPE);
        checks.Check(program.WaitForExit(5000), "... and Escape ends the program");
    }
    DeleteFileW(path.c_str());
    {
        Program program(timedPath, true, TimingsSwitch(path));
        PostMessageW(program.Form(), WM_CLOSE, 0, 0);
        checks.Check(program.Started() && program.WaitForExit(5000) && !Exists(path),
                     "closed while the repaints are timed, the program ends at once");
    }
    DeleteFileW(path.c_str());
}

}  // namespace

void RunTimingsScenarios(Checks& checks, const std::wstring& exePath, const std::wstring& timedPath) {
    ShippedProgramWritesNothing(checks, exePath);
    FiguresReadTheMomentTheyAppear(checks);
    if (timedPath.empty()) {
        checks.Skip("the instrumented twin's figures", "no twin given (--timed)");
        return;
    }
    FiguresOfTheTwin(checks, timedPath);
    KeysAndClosingWhileMeasuring(checks, timedPath);
}

}  // namespace e2e
