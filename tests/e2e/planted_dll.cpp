// A DLL that another download might have left beside the program, built once
// under each name the program loads. Loaded, it leaves a marker beside itself
// ("<name>.dll.loaded") and refuses to load, so that nothing of it runs on.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t marker[MAX_PATH + 8] = {};
    DWORD length = GetModuleFileNameW(self, marker, MAX_PATH);
    lstrcpyW(marker + length, L".loaded");
    HANDLE file = CreateFileW(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return FALSE;
}
