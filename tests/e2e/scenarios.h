#pragma once

#include "harness.h"

#include <initializer_list>

namespace e2e {

// The value boxes' texts and the focus, for a failed check's detail.
std::string Describe(const Program& program);
bool AllEmpty(const Program& program, std::initializer_list<int> boxes);
// Space, and the wait until b c d e f are empty and b has the focus.
void ClearWithSpace(const Program& program);
// Types 1234567, presses Enter and checks the whole chain and the focus.
void CalculatesTheChain(Checks& checks, const Program& program);
// What a screen reader hears a window named, through oleacc.
std::wstring ReaderName(HWND window);
// A DLL of each name the program loads, from `plantedFolder`, left beside a
// copy of it in `folder`: none may be loaded.
void RunPlantedDllScenarios(Checks& checks, const std::wstring& exePath, const std::wstring& plantedFolder,
                            const std::wstring& folder);

// The sixteen texts a user reads, measured on screen against their
// backgrounds in the platform's colours; `when` heads the checks' names.
void EveryTextReads(Checks& checks, const Program& program, const std::string& when);
// The colour scheme changed while the program runs.
void RunRecolourScenarios(Checks& checks, const std::wstring& exePath);

// A label's text as the screen shows it: whole, in the expected face, at
// `height` pixels, where that is found (0: no whole rendering of the text
// at its font's own size or below matches the screen).
struct WholeText {
    std::wstring text;
    int height = 0;
    int ownHeight = 0;  // of the label's font, `points` at the screen's DPI
};
WholeText LabelTextAsShown(const Program& program, int label, double points);

// Captions, colours and fonts as the window shows them, its boxes filled.
void CheckAppearance(Checks& checks, const Program& program);
void RunCalculatorScenarios(Checks& checks, const std::wstring& exePath, const std::wstring& screenshotPath);
// What a download must do: start, show its window, calculate, end.
void RunReleaseScenarios(Checks& checks, const std::wstring& exePath);
// Tooltips as they show, and the keys of the input and the covered buttons.
void RunControlScenarios(Checks& checks, const std::wstring& exePath);
// Soak and fuzz of the running program; scale 1 is the size of the test suite.
void RunSoakScenarios(Checks& checks, const std::wstring& exePath, int scale);
// The date and time labels, in the user's locale formats.
void RunClockScenarios(Checks& checks, const std::wstring& exePath);
// With an idle mark, the program is left idle until that file exists.
void RunLifecycleScenarios(Checks& checks, const std::wstring& exePath, const std::wstring& idleMark);
// The instrumented twin's figures, written with --timings; the shipped
// program writes none.
void RunTimingsScenarios(Checks& checks, const std::wstring& exePath, const std::wstring& timedPath);
// What a screen reader learns of each control, through oleacc and through UI
// Automation.
void RunReaderScenarios(Checks& checks, const std::wstring& exePath);
// What UI Automation hears of the running program's controls; skipped where
// the platform has no UI Automation client. COM must be initialised.
void RunAutomationChecks(Checks& checks, const Program& program);
void RunCaptionScenarios(Checks& checks, const std::wstring& exePath, const std::wstring& screenshotFolder);
// Digits as Egyptian documents and Persian keyboards write them, typed,
// pasted and from an input method.
void RunDigitScenarios(Checks& checks, const std::wstring& exePath);

}  // namespace e2e
