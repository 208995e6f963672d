#include "forms/system_library.h"

#include <string>

namespace forms {

void SearchSystemFolderOnly() {
    using SetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
    auto setDirectories = Exported<SetDefaultDllDirectories>(GetModuleHandleW(L"kernel32.dll"),
                                                             "SetDefaultDllDirectories");
    if (setDirectories) setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// A full path, and the DLLs it imports looked for beside it first: in the
// system folder too, where the search order has not been set.
HMODULE LoadSystemLibrary(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    std::wstring path = std::wstring(folder, length) + L"\\" + name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace forms
