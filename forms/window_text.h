#pragma once
// The text a window shows.

#include "platform/win32.h"

#include <string>

namespace forms {

std::wstring WindowText(HWND window);

}  // namespace forms
