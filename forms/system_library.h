#pragma once
// DLLs of the system's own, taken from the system folder only. For every DLL
// that is not one of its known DLLs, Windows looks in the program's folder
// first: a DLL of the same name that another download left beside the
// program would be loaded in its place.

#include "platform/win32.h"

namespace forms {

// From here on, every DLL loaded by name, and every DLL those import, is
// searched in the system folder alone. Called first thing at start; where
// the platform cannot (Windows 7 without its 2011 loader update) the loads
// below still name the system folder.
void SearchSystemFolderOnly();

// The named DLL from the system folder, or 0.
HMODULE LoadSystemLibrary(const wchar_t* name);

// A function a loaded DLL exports, as the type it is called through; 0 when
// the DLL or the function is missing.
template <typename Function>
Function Exported(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace forms
