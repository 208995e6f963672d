// What the benchmark driver's measures share: the clock, the printed figures,
// and starting, looking at and closing the programs measured.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace bench {

double Now();  // in seconds

// Prints one figure as a line: name|median|min|max|unit.
void Print(const char* name, std::vector<double> values, const char* unit);

// Figures by name, in the order first noted.
using Figures = std::vector<std::pair<std::string, std::vector<double>>>;
std::vector<double>& ValuesOf(Figures& figures, const std::string& name);

bool Start(const std::wstring& exePath, const std::wstring& arguments, PROCESS_INFORMATION& process);
void Close(PROCESS_INFORMATION& process);

HWND VisibleWindow(DWORD processId);
HWND ShownOfThread(DWORD threadId);  // the first visible top-level window of a thread
void DispatchWaiting();
bool CaptionPainted(HWND window, COLORREF desktop);

}  // namespace bench
