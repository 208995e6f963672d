#pragma once

#include "harness.h"

namespace e2e {

void RunCalculatorScenarios(Checks& checks, const std::wstring& exePath, const std::wstring& screenshotPath);
void RunLifecycleScenarios(Checks& checks, const std::wstring& exePath);
void RunCaptionScenarios(Checks& checks, const std::wstring& exePath, const std::wstring& screenshotFolder);

}  // namespace e2e
