// Loaded into the running program by the driver: sets the system colours
// from inside the program's own process, as often as the driver asks. Wine
// keeps each process's system colours as that process first read them, so
// colours another process sets reach the program's window as
// WM_SYSCOLORCHANGE but never its own GetSysColor; Windows shares them.
#include "colour_setter.h"

#include <initializer_list>

namespace {

DWORD WINAPI SetColoursWhenAsked(void* self) {
    HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, e2e::kColourRequestName);
    HANDLE asked = OpenEventW(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, e2e::kColourAskedName);
    HANDLE done = OpenEventW(EVENT_MODIFY_STATE, FALSE, e2e::kColourDoneName);
    auto* request = mapping ? static_cast<const e2e::ColourRequest*>(
                                  MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(e2e::ColourRequest)))
                            : nullptr;
    while (request && asked && done && WaitForSingleObject(asked, INFINITE) == WAIT_OBJECT_0 && !request->stop) {
        SetSysColors(request->count, request->indices, request->colours);
        SetEvent(done);
    }
    if (done) SetEvent(done);  // the last answer: the setter is leaving
    if (request) UnmapViewOfFile(request);
    for (HANDLE handle : {mapping, asked, done}) {
        if (handle) CloseHandle(handle);
    }
    FreeLibraryAndExitThread(static_cast<HMODULE>(self), 0);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    DisableThreadLibraryCalls(self);
    HANDLE worker = CreateThread(nullptr, 0, SetColoursWhenAsked, self, 0, nullptr);
    if (!worker) return FALSE;
    CloseHandle(worker);
    return TRUE;
}
