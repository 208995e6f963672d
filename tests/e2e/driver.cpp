// End-to-end driver: runs Zemrana.exe and checks it as a user would.
// Usage: e2e_driver <Zemrana.exe> <folder for screenshots> [--scale N] [--scenarios a,b,…] [--idle-mark FILE]
//          [--timed <instrumented twin .exe>] [--planted <folder of DLLs>]
//          scenarios: calculator, controls, digits, caption, clock, colours, readers, lifecycle, timings, planted,
//          soak
//          (all by default),
//          and release (start, calculate, end: for an installed or unpacked copy);
//          N scales the soak (1, the default, is the test suite's size);
//          with --idle-mark the driver leaves the program idle until FILE exists (at most two minutes),
//          for a sampler outside to measure it; --timed names the benchmarks' instrumented twin of the
//          program, whose figures the timings scenario reads; --planted names a folder of DLLs, one of each
//          name the program loads, that the planted scenario leaves beside a copy of it
//        e2e_driver --screenshot <Zemrana.exe> <image.bmp>   (one picture, then close)
#include "scenarios.h"

#include <algorithm>
#include <cstdio>

namespace {

bool Wanted(const std::wstring& scenarios, const wchar_t* name) {
    return (L"," + scenarios + L",").find(L"," + std::wstring(name) + L",") != std::wstring::npos;
}

int Usage() {
    std::fprintf(stderr, "usage: e2e_driver <Zemrana.exe> <folder for screenshots> [--scale N] [--scenarios a,b,...] "
                         "[--idle-mark FILE] [--timed twin.exe] [--planted folder]\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Coordinates, metrics and pixels are read at the screen's real scale.
    SetProcessDPIAware();
    if (argc == 4 && std::wstring(argv[1]) == L"--screenshot") return e2e::TakeScreenshot(argv[2], argv[3]) ? 0 : 1;
    if (argc < 3) return Usage();
    std::wstring exe = argv[1];
    std::wstring folder = argv[2];
    std::wstring scenarios = L"calculator,controls,digits,caption,clock,colours,readers,lifecycle,timings,planted,soak";
    std::wstring idleMark;
    std::wstring timed;
    std::wstring planted;
    int scale = 1;
    for (int i = 3; i + 1 < argc; i += 2) {
        std::wstring option = argv[i];
        if (option == L"--scale") scale = std::max(1, _wtoi(argv[i + 1]));
        else if (option == L"--scenarios") scenarios = argv[i + 1];
        else if (option == L"--idle-mark") idleMark = argv[i + 1];
        else if (option == L"--timed") timed = argv[i + 1];
        else if (option == L"--planted") planted = argv[i + 1];
        else return Usage();
    }
    if (argc % 2 == 0) return Usage();

    e2e::Checks checks;
    if (Wanted(scenarios, L"calculator")) e2e::RunCalculatorScenarios(checks, exe, folder + L"\\calculator.bmp");
    if (Wanted(scenarios, L"controls")) e2e::RunControlScenarios(checks, exe);
    if (Wanted(scenarios, L"digits")) e2e::RunDigitScenarios(checks, exe);
    if (Wanted(scenarios, L"caption")) e2e::RunCaptionScenarios(checks, exe, folder);
    if (Wanted(scenarios, L"clock")) e2e::RunClockScenarios(checks, exe);
    if (Wanted(scenarios, L"colours")) e2e::RunRecolourScenarios(checks, exe);
    if (Wanted(scenarios, L"readers")) e2e::RunReaderScenarios(checks, exe);
    if (Wanted(scenarios, L"lifecycle")) e2e::RunLifecycleScenarios(checks, exe, idleMark);
    if (Wanted(scenarios, L"timings")) e2e::RunTimingsScenarios(checks, exe, timed);
    if (Wanted(scenarios, L"planted")) {
        if (planted.empty()) checks.Skip("DLLs beside the program", "no folder of planted DLLs given (--planted)");
        else e2e::RunPlantedDllScenarios(checks, exe, planted, folder);
    }
    if (Wanted(scenarios, L"soak")) e2e::RunSoakScenarios(checks, exe, scale);
    if (Wanted(scenarios, L"release")) e2e::RunReleaseScenarios(checks, exe);
    std::printf("%d passed, %d failed, %d skipped\n", checks.Passed(), checks.Failed(), checks.Skipped());
    return checks.Failed() == 0 ? 0 : 1;
}
