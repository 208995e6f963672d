// End-to-end driver: runs Zemrana.exe and checks it as a user would.
// Usage: e2e_driver <Zemrana.exe> <folder for screenshots> [soak scale]
//        e2e_driver --screenshot <Zemrana.exe> <image.bmp>   (one picture, then close)
#include "scenarios.h"

#include <algorithm>
#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wstring(argv[1]) == L"--screenshot") return e2e::TakeScreenshot(argv[2], argv[3]) ? 0 : 1;
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: e2e_driver <Zemrana.exe> <folder for screenshots> [soak scale]\n");
        return 2;
    }
    std::wstring folder = argv[2];
    e2e::Checks checks;
    e2e::RunCalculatorScenarios(checks, argv[1], folder + L"\\calculator.bmp");
    e2e::RunCaptionScenarios(checks, argv[1], folder);
    e2e::RunLifecycleScenarios(checks, argv[1]);
    e2e::RunSoakScenarios(checks, argv[1], argc == 4 ? std::max(1, _wtoi(argv[3])) : 1);
    std::printf("%d passed, %d failed\n", checks.Passed(), checks.Failed());
    return checks.Failed() == 0 ? 0 : 1;
}
