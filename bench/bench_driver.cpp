// Timings of the running program, taken from outside as a user would see
// them. Prints one line per measure: name|median|min|max|unit.
//   bench_driver startup <Zemrana.exe> <bare_window.exe> <plain_twin.exe> <runs>
//   bench_driver timings <zemrana_timed.exe> <plain_twin.exe> <runs> <directory>
//   bench_driver key <Zemrana.exe> <runs>
//   bench_driver memory <Zemrana.exe> <plain_twin.exe> <calculations>
//   bench_driver events <Zemrana.exe> <bare_window.exe> <plain_twin.exe> <runs>
#include "driver_support.h"
#include "harness.h"
#include "held_memory.h"
#include "startup_observers.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace bench {
namespace {

// One start with --timings: the figures the program wrote, by name. A name
// noted several times in one start (the full repaints) gives its median.
// The driver watches the start as in the start-up runs and waits quietly
// while the window repaints itself.
std::vector<std::pair<std::string, double>> RunWithTimings(const std::wstring& exePath, const std::wstring& file,
                                                           COLORREF desktop) {
    DeleteFileW(file.c_str());
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    if (StartAndWaitUntilShown(exePath, L" --timings \"" + file + L"\"", Observer::ThreadWindows, process, window) < 0) {
        if (process.hProcess) Close(process);
        return {};
    }
    Figures noted;
    double start = Now();
    while (!CaptionPainted(window, desktop) && Now() - start < 20) Sleep(5);
    std::vector<e2e::Figure> written;
    while ((written = e2e::ReadFigures(file)).empty() && Now() - start < 30) Sleep(20);
    for (const e2e::Figure& figure : written) ValuesOf(noted, figure.name).push_back(figure.milliseconds);
    Close(process);
    Sleep(200);  // as between the start-up runs: the closed program's teardown is over
    std::vector<std::pair<std::string, double>> result;
    for (auto& [name, values] : noted) {
        std::sort(values.begin(), values.end());
        result.emplace_back(name, values[values.size() / 2]);
    }
    return result;
}

// Alternating starts of the program and its plain twin, each with --timings:
// the start-up phases and the full repaint of both, median over the runs.
int Timings(const std::wstring& zemrana, const std::wstring& twin, int runs, const std::wstring& directory) {
    COLORREF desktop = e2e::ScreenPixel(400, 300);
    e2e::PointerAwayFromTheWindow();
    Figures figures;
    auto note = [&](const std::string& prefix, const std::vector<std::pair<std::string, double>>& run) {
        for (const auto& [name, value] : run) ValuesOf(figures, prefix + name).push_back(value);
    };
    for (int run = 0; run < runs; ++run) {
        note("Zemrana.exe ", RunWithTimings(zemrana, directory + L"\\zemrana-timings.txt", desktop));
        note("plain twin ", RunWithTimings(twin, directory + L"\\twin-timings.txt", desktop));
    }
    for (const auto& [name, values] : figures) Print(name.c_str(), values, "ms");
    return 0;
}

int KeyToResult(const std::wstring& zemrana, int runs) {
    e2e::Program program(zemrana);
    if (!program.Started()) return 1;
    program.Activate();
    HWND input = program.Control(e2e::kB);
    std::vector<double> milliseconds;
    for (int run = 0; run < runs; ++run) {
        program.Press(VK_SPACE);
        e2e::WaitUntil([&] { return program.Text(e2e::kF).empty() && program.Text(e2e::kB).empty(); });
        program.Type(L"1234567");
        e2e::WaitUntil([&] { return program.Text(e2e::kB) == L"1234567"; });
        double start = Now();
        PostMessageW(input, WM_KEYDOWN, VK_RETURN, 1);
        while (program.Text(e2e::kF) != L"955.55442" && Now() - start < 5) {
        }
        milliseconds.push_back((Now() - start) * 1000);
    }
    Print("key to result", milliseconds, "ms");
    return 0;
}

}  // namespace
}  // namespace bench

int wmain(int argc, wchar_t** argv) {
    std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"startup" && argc == 6) return bench::StartupTimes(argv[2], argv[3], argv[4], _wtoi(argv[5]));
    if (mode == L"timings" && argc == 6) return bench::Timings(argv[2], argv[3], _wtoi(argv[4]), argv[5]);
    if (mode == L"key" && argc == 4) return bench::KeyToResult(argv[2], _wtoi(argv[3]));
    if (mode == L"memory" && argc == 5) return bench::HeldMemory(argv[2], argv[3], _wtoi(argv[4]));
    if (mode == L"events" && argc == 6) {
        return bench::StartupEvents({{"Zemrana.exe", argv[2]}, {"bare window", argv[3]}, {"plain twin", argv[4]}}, _wtoi(argv[5]));
    }
    std::fprintf(stderr, "usage: bench_driver startup <Zemrana.exe> <bare_window.exe> <plain_twin.exe> <runs>\n"
                         "       bench_driver timings <zemrana_timed.exe> <plain_twin.exe> <runs> <directory>\n"
                         "       bench_driver key <Zemrana.exe> <runs>\n"
                         "       bench_driver memory <Zemrana.exe> <plain_twin.exe> <calculations>\n"
                         "       bench_driver events <Zemrana.exe> <bare_window.exe> <plain_twin.exe> <runs>\n");
    return 2;
}
