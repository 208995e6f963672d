#pragma once
// The program's command line, split as the platform splits it for C programs
// (double quotes group, and are dropped), without loading the shell for it.

#include <string>
#include <vector>

namespace bench {

std::vector<std::wstring> SplitCommandLine(const std::wstring& commandLine);

// The argument that follows the switch `name`; empty when the switch is not
// given or has nothing after it.
std::wstring SwitchValue(const std::wstring& commandLine, const std::wstring& name);

}  // namespace bench
