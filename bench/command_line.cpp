#include "bench/command_line.h"

namespace bench {

std::vector<std::wstring> SplitCommandLine(const std::wstring& commandLine) {
    std::vector<std::wstring> arguments;
    std::wstring current;
    bool quoted = false;
    bool inArgument = false;
    for (wchar_t character : commandLine) {
        if (character == L'"') {
            quoted = !quoted;
            inArgument = true;
        } else if ((character == L' ' || character == L'\t') && !quoted) {
            if (inArgument) arguments.push_back(current);
            current.clear();
            inArgument = false;
        } else {
            current += character;
            inArgument = true;
        }
    }
    if (inArgument) arguments.push_back(current);
    return arguments;
}

std::wstring SwitchValue(const std::wstring& commandLine, const std::wstring& name) {
    std::vector<std::wstring> arguments = SplitCommandLine(commandLine);
    for (size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == name) return arguments[i + 1];
    }
    return L"";
}

}  // namespace bench
