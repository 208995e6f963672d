#pragma once
// The fake's state, shared by its parts: the windows, the GDI ledger, the
// call log and the scripted answers.

#include "fake_win32.h"

#include <functional>
#include <map>
#include <new>
#include <string>
#include <vector>

namespace fake {

enum class Kind { WindowDC, MemoryDC, Bitmap, Brush, Font, Region, StockBitmap, StockFont };

struct Object {
    explicit Object(Kind objectKind) : kind(objectKind) {}
    Kind kind;
    bool alive = true;
    // device contexts
    HWND window = nullptr;
    HGDIOBJ bitmap = nullptr;
    HGDIOBJ font = nullptr;
    bool hasClip = false;
    Region clip;
    // bitmaps, brushes, regions
    Pixels pixels;
    COLORREF colour = 0;
    Region region;
    // fonts
    LOGFONTW logFont{};
};

struct State {
    Script script;
    std::map<uintptr_t, Window> windows;
    std::map<uintptr_t, Object> objects;
    std::vector<Call> calls;
    std::vector<std::string> problems;
    uintptr_t nextHandle = 0x1000;
    HCURSOR cursor = nullptr;
    DWORD lastError = 0;
    // the forms runtime's windows
    std::map<std::wstring, WNDPROC> classes;
    std::vector<HWND> stacking;  // every window, top of its siblings first
    HWND focus = nullptr;
    std::vector<MSG> queue;
    size_t nextIdleStep = 0;
};

inline State& S() {
    static State state;
    return state;
}

constexpr uintptr_t kStockBitmap = 0x10;
constexpr uintptr_t kStockFont = 0x20;

inline long long N(const void* handle) { return static_cast<long long>(reinterpret_cast<uintptr_t>(handle)); }

inline void Log(const std::string& name, std::vector<long long> args, const std::string& text = "") {
    S().calls.push_back(Call{name, std::move(args), text});
    if (name == S().script.failingCall) throw std::bad_alloc();
}

inline void Problem(const std::string& text) { S().problems.push_back(text); }

template <typename Handle>
inline Handle NewObject(Object object) {
    uintptr_t id = S().nextHandle;
    S().nextHandle += 0x10;
    S().objects.emplace(id, std::move(object));
    return reinterpret_cast<Handle>(id);
}

inline Object* Find(const void* handle) {
    auto it = S().objects.find(reinterpret_cast<uintptr_t>(handle));
    return it == S().objects.end() ? nullptr : &it->second;
}

inline Object* Live(const void* handle, const char* call) {
    Object* object = Find(handle);
    if (handle && object && !object->alive) Problem(std::string(call) + " on a deleted object");
    return object && object->alive ? object : nullptr;
}

// A device context of a window's, with the stock font selected.
inline HDC NewWindowDc(HWND window) {
    Object dc(Kind::WindowDC);
    dc.window = window;
    dc.font = reinterpret_cast<HGDIOBJ>(kStockFont);
    return NewObject<HDC>(std::move(dc));
}

inline Window* FindWindowOf(HWND window) {
    auto it = S().windows.find(reinterpret_cast<uintptr_t>(window));
    return it == S().windows.end() ? nullptr : &it->second;
}

}  // namespace fake
