#pragma once

#include "harness.h"

namespace e2e {

void RunCalculatorScenarios(Checks& checks, const std::wstring& exePath, const std::wstring& screenshotPath);

}  // namespace e2e
