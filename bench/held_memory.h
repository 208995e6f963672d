// What a running program holds beside its plain twin, as it calculates.
#pragma once

#include <string>

namespace bench {

int HeldMemory(const std::wstring& zemrana, const std::wstring& twin, int calculations);

}  // namespace bench
