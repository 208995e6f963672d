// A copy of the program in a folder where another download left a DLL of each
// name the program loads, as a Downloads folder may hold. Windows looks in
// the program's own folder first for every DLL that is not one of its known
// DLLs; Wine does so for a DLL whose load order is native first, which the
// program is given here for each of them (Wine reads a process's load order
// from the environment it was started in, or from the registry under the
// program file's name: a child's own environment block changes nothing).
#include "scenarios.h"

#include <psapi.h>

#include <string>
#include <vector>

namespace e2e {
namespace {

std::vector<std::wstring> PlantedNames(const std::wstring& plantedFolder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((plantedFolder + L"\\*.dll").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring file = found.cFileName;
        names.push_back(file.substr(0, file.size() - 4));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Under Wine, native-first load order for each DLL named, in
// HKCU\Software\Wine\AppDefaults\Zemrana.exe\DllOverrides, which only a
// program file of that name reads; taken away again when it goes.
class NativeFirstForTheProgram {
public:
    explicit NativeFirstForTheProgram(const std::vector<std::wstring>& names) {
        if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) return;
        HKEY overrides = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &overrides, nullptr)) {
            return;
        }
        set_ = true;
        const wchar_t order[] = L"native,builtin";
        for (const std::wstring& name : names) {
            RegSetValueExW(overrides, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(order), sizeof order);
        }
        RegCloseKey(overrides);
    }
    ~NativeFirstForTheProgram() {
        if (set_) RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\Zemrana.exe");
    }
    NativeFirstForTheProgram(const NativeFirstForTheProgram&) = delete;
    NativeFirstForTheProgram& operator=(const NativeFirstForTheProgram&) = delete;

private:
    static constexpr const wchar_t* kKey = L"Software\\Wine\\AppDefaults\\Zemrana.exe\\DllOverrides";
    bool set_ = false;
};

// What loads the program's DLLs: the window (the compositor's frame, the
// labels' shaping), the tooltips, and a screen reader's first question; the
// first result told to readers (UI Automation's notifications, oleacc's
// annotation) follows, when the chain is calculated.
void UseEverythingThatLoadsADll(Checks& checks, const Program& program) {
    RECT area;
    GetWindowRect(program.Control(kLabel3), &area);
    MovePointer((area.left + area.right) / 2, (area.top + area.bottom) / 2);
    bool tip = WaitUntil([&] { return program.Tooltip() && IsWindowVisible(program.Tooltip()); });
    RECT window;
    GetWindowRect(program.Form(), &window);
    MovePointer(window.right + 20, window.bottom + 20);
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::wstring heard = ReaderName(program.Control(kB));
    if (SUCCEEDED(com)) CoUninitialize();
    checks.Check(tip && !heard.empty(), "its tooltip shows and a reader hears box b's name",
                 "reader heard '" + Narrow(heard) + "'");
}

std::wstring Lower(std::wstring text) {
    CharLowerW(text.data());
    return text;
}

// Where each of `names` that the program has loaded comes from, as
// "name: folder"; "" for those it has not loaded.
std::vector<std::wstring> LoadedFrom(const Program& program, const std::vector<std::wstring>& names) {
    std::vector<std::wstring> folders(names.size());
    HMODULE modules[512];
    DWORD bytes = 0;
    if (!EnumProcessModulesEx(program.Process(), modules, sizeof modules, &bytes, LIST_MODULES_ALL)) return folders;
    for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
        wchar_t path[MAX_PATH] = {};
        if (!GetModuleFileNameExW(program.Process(), modules[i], path, MAX_PATH)) continue;
        std::wstring file = Lower(path);
        size_t slash = file.find_last_of(L'\\');
        for (size_t n = 0; n < names.size(); ++n) {
            if (slash != std::wstring::npos && file.substr(slash + 1) == Lower(names[n]) + L".dll") {
                folders[n] = file.substr(0, slash);
            }
        }
    }
    return folders;
}

// The program's DLLs come from the system folder, the 32-bit one on a
// 64-bit system included. dwmapi is let go once the window's frame is set,
// and uxtheme is loaded only where the platform's controls use it; the
// others stay loaded.
void FromTheSystemFolder(Checks& checks, const Program& program, const std::vector<std::wstring>& names) {
    wchar_t system[MAX_PATH] = {};
    wchar_t wow64[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    GetSystemWow64DirectoryW(wow64, MAX_PATH);
    std::vector<std::wstring> folders = LoadedFrom(program, names);
    std::string wrong;
    std::string loaded;
    for (size_t n = 0; n < names.size(); ++n) {
        bool optional = Lower(names[n]) == L"uxtheme" || Lower(names[n]) == L"dwmapi";
        if (folders[n].empty()) {
            if (!optional) wrong += " " + Narrow(names[n]) + " not loaded;";
            continue;
        }
        loaded += " " + Narrow(names[n]);
        if (folders[n] != Lower(system) && folders[n] != Lower(wow64)) {
            wrong += " " + Narrow(names[n]) + " from " + Narrow(folders[n]) + ";";
        }
    }
    checks.Check(wrong.empty(), "every DLL it loads comes from the system folder:" + loaded, wrong);
}

}  // namespace

void RunPlantedDllScenarios(Checks& checks, const std::wstring& exePath, const std::wstring& plantedFolder,
                            const std::wstring& folder) {
    std::vector<std::wstring> names = PlantedNames(plantedFolder);
    std::wstring beside = folder + L"\\beside";
    CreateDirectoryW(beside.c_str(), nullptr);
    std::wstring copy = beside + L"\\Zemrana.exe";
    bool placed = !names.empty() && CopyFileW(exePath.c_str(), copy.c_str(), FALSE);
    std::string planted;
    for (const std::wstring& name : names) {
        DeleteFileW((beside + L"\\" + name + L".dll.loaded").c_str());
        placed = placed && CopyFileW((plantedFolder + L"\\" + name + L".dll").c_str(),
                                     (beside + L"\\" + name + L".dll").c_str(), FALSE);
        planted += " " + Narrow(name);
    }
    checks.Check(placed, "a copy of the program with a DLL of each name it loads beside it:" + planted);
    if (!placed) return;

    {
        NativeFirstForTheProgram nativeFirst(names);
        Program program(copy);
        checks.Check(program.Started(), "it starts beside them, each DLL's load order native first");
        if (program.Started()) {
            program.Activate();
            UseEverythingThatLoadsADll(checks, program);
            CalculatesTheChain(checks, program);
            FromTheSystemFolder(checks, program, names);
            program.Press(VK_ESCAPE);
            checks.Check(program.WaitForExit(2000), "Escape ends it");
        }
    }
    std::string loaded;
    for (const std::wstring& name : names) {
        if (Exists(beside + L"\\" + name + L".dll.loaded")) loaded += " " + Narrow(name);
    }
    checks.Check(loaded.empty(), "no DLL beside the program is loaded", "loaded:" + loaded);
}

}  // namespace e2e
