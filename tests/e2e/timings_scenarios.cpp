// The --timings switch: the figures the benchmark reads to tell where the
// time goes, and a window that works as before once they are taken.
#include "scenarios.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace e2e {
namespace {

struct Figure {
    std::string name;
    double milliseconds;
};

std::vector<Figure> ReadFigures(const std::wstring& path) {
    std::vector<Figure> figures;
    FILE* file = _wfopen(path.c_str(), L"r");
    if (!file) return figures;
    char line[256];
    while (std::fgets(line, sizeof line, file)) {
        if (char* bar = std::strrchr(line, '|')) figures.push_back({std::string(line, bar), std::atof(bar + 1)});
    }
    std::fclose(file);
    return figures;
}

double FigureOf(const std::vector<Figure>& figures, const std::string& name) {
    for (const Figure& figure : figures) {
        if (figure.name == name) return figure.milliseconds;
    }
    return -1;
}

}  // namespace

void RunTimingsScenarios(Checks& checks, const std::wstring& exePath) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    std::wstring path = std::wstring(folder) + L"zemrana e2e timings.txt";  // a space: the value is quoted
    DeleteFileW(path.c_str());
    Program program(exePath, true, L"--timings \"" + path + L"\"");
    bool written = WaitUntil([&] { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000);
    checks.Check(written, "started with --timings the program writes its figures once it is idle");
    std::vector<Figure> figures = ReadFigures(path);
    DeleteFileW(path.c_str());

    // Each phase once, in the order the start runs them: Form_Load before the
    // window shows, the tooltips after its first paint.
    const char* const phases[] = {"process entry", "single-instance check", "screen DPI (the display's first use)",
                                  "font lookup", "class registration", "window creation", "control creation",
                                  "Form_Load", "show", "first paint", "tooltips", "until first idle"};
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

}  // namespace e2e
