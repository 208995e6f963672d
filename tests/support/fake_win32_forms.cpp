// The fake's part for the forms runtime: windows of registered classes that
// get their creation messages, focus, a message queue the tests fill, key
// states, edit boxes, the clipboard, fonts, and Uniscribe measuring each
// character as half its font's height.

#include "fake_state.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwctype>

using fake::Kind;
using fake::Log;
using fake::N;
using fake::Object;

namespace fake {
namespace {

constexpr uintptr_t kUsp10 = 0x7001;
constexpr uintptr_t kMonitor = 0x7101;
constexpr uintptr_t kClipboardData = 0x7201;
constexpr LONG kStockFontHeight = 16;
constexpr HRESULT kInvalidArgument = static_cast<HRESULT>(0x80070057);  // E_INVALIDARG
constexpr HRESULT kFailed = static_cast<HRESULT>(0x80004005);           // E_FAIL

struct Analysis {
    SIZE size;
};

std::wstring ClassName(LPCWSTR name) {
    if (!name) return L"";
    if (reinterpret_cast<uintptr_t>(name) < 0x10000) return L"#" + std::to_wstring(reinterpret_cast<uintptr_t>(name));
    return name;
}

bool IsPlatformClass(const std::wstring& name) {
    return name == L"EDIT" || name == L"BUTTON" || name == TOOLTIPS_CLASSW;
}

LONG FontHeight(HDC dc) {
    Object* context = Find(dc);
    Object* font = context ? Find(context->font) : nullptr;
    return font && font->kind == Kind::Font ? std::labs(font->logFont.lfHeight) : kStockFontHeight;
}

}  // namespace

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (wchar_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    S().queue.push_back(MSG{window, message, wParam, lParam, 0, {0, 0}});
}

WNDPROC ProcedureOf(HWND window) { return FindWindowOf(window)->procedure; }

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND window : S().stacking) {
        if (WindowOf(window).parent == parent && !WindowOf(window).messageOnly) children.push_back(window);
    }
    return children;
}

std::vector<HWND> WindowsOfClass(const std::wstring& className) {
    std::vector<HWND> found;
    for (auto& entry : S().windows) {
        if (entry.second.className == className) found.push_back(reinterpret_cast<HWND>(entry.first));
    }
    return found;
}

LRESULT CALLBACK PlatformControlProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window& window = WindowOf(handle);
    window.seenByOwnProcedure.push_back(Message{message, wParam, lParam});
    std::wstring& text = window.wideText;
    switch (message) {
        case WM_CHAR:
            if (text.size() < window.limit) {
                text.replace(window.selectionStart, window.selectionEnd - window.selectionStart, 1,
                             static_cast<wchar_t>(wParam));
                window.selectionStart = window.selectionEnd = window.selectionStart + 1;
            }
            return 0;
        case EM_SETSEL: {
            auto end = static_cast<DWORD>(static_cast<LPARAM>(lParam) < 0 ? text.size() : lParam);
            window.selectionStart = std::min(static_cast<DWORD>(wParam), static_cast<DWORD>(text.size()));
            window.selectionEnd = std::min(end, static_cast<DWORD>(text.size()));
            return 0;
        }
        case EM_GETSEL:
            if (wParam) *reinterpret_cast<DWORD*>(wParam) = window.selectionStart;
            if (lParam) *reinterpret_cast<DWORD*>(lParam) = window.selectionEnd;
            return 0;
        case EM_REPLACESEL: {
            std::wstring entered = reinterpret_cast<const wchar_t*>(lParam);
            text.replace(window.selectionStart, window.selectionEnd - window.selectionStart, entered);
            window.selectionStart = window.selectionEnd = window.selectionStart + static_cast<DWORD>(entered.size());
            return 0;
        }
        case EM_SETLIMITTEXT:
            window.limit = static_cast<size_t>(wParam);
            return 0;
        case EM_GETLIMITTEXT:
            return static_cast<LRESULT>(window.limit);
        default:
            return window.OwnResultFor(message);
    }
}

}  // namespace fake

HWND CreateWindowExW(DWORD exStyle, LPCWSTR windowClass, LPCWSTR name, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter) {
    std::wstring className = fake::ClassName(windowClass);
    Log("CreateWindowExW", {exStyle, style, x, y, width, height, N(parent), N(menu), N(instance)},
        fake::Narrow(className));
    auto& classes = fake::S().classes;
    bool known = classes.count(className) || fake::IsPlatformClass(className);
    if (!known || className == fake::script().refusedWindowClass) return nullptr;
    HWND handle = fake::AddWindow(RECT{x, y, x + width, y + height}, static_cast<LONG>(style),
                                  fake::Narrow(name ? name : L""));
    fake::Window& window = fake::WindowOf(handle);
    window.className = className;
    window.wideText = name ? name : L"";
    window.exStyle = exStyle;
    window.id = static_cast<int>(reinterpret_cast<uintptr_t>(menu));
    window.visible = (style & WS_VISIBLE) != 0;
    window.messageOnly = parent == HWND_MESSAGE;
    window.parent = window.messageOnly ? nullptr : parent;
    window.procedure = classes.count(className) ? classes[className] : fake::PlatformControlProc;
    auto& stacking = fake::S().stacking;
    stacking.insert(fake::script().newWindowsOnTop ? stacking.begin() : stacking.end(), handle);
    CREATESTRUCTW created{parameter, instance, menu, parent, height, width, y, x, static_cast<LONG>(style),
                          name, windowClass, exStyle};
    SendMessageW(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&created));
    SendMessageW(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&created));
    return handle;
}

namespace fake {
namespace {

// The window gets its WM_DESTROY, then its children theirs, as the platform sends them.
void Destroy(HWND handle) {
    SendMessageW(handle, WM_DESTROY, 0, 0);
    for (auto& entry : S().windows) {
        if (entry.second.parent == handle && !entry.second.destroyed) Destroy(reinterpret_cast<HWND>(entry.first));
    }
    WindowOf(handle).destroyed = true;
    if (S().focus == handle) S().focus = nullptr;
}

}  // namespace
}  // namespace fake

BOOL DestroyWindow(HWND handle) {
    Log("DestroyWindow", {N(handle)});
    fake::Window* window = fake::FindWindowOf(handle);
    if (!window || window->destroyed) return FALSE;
    fake::Destroy(handle);
    return TRUE;
}

WORD RegisterClassExW(const WNDCLASSEXW* windowClass) {
    std::wstring name = fake::ClassName(windowClass->lpszClassName);
    Log("RegisterClassExW",
        {N(windowClass->hInstance), N(windowClass->hIcon), N(windowClass->hIconSm), N(windowClass->hCursor)},
        fake::Narrow(name));
    if (name == fake::script().refusedClass || windowClass->cbSize != sizeof(WNDCLASSEXW)) return 0;
    fake::S().classes[name] = windowClass->lpfnWndProc;
    return static_cast<WORD>(fake::S().classes.size());
}

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Log("DefWindowProcW", {N(window), message, static_cast<long long>(wParam), lParam});
    return message == WM_NCCREATE ? TRUE : fake::kDefaultAnswer;
}

LRESULT CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return procedure(window, message, wParam, lParam);
}

LRESULT SendMessageW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Log("SendMessageW", {N(handle), message, static_cast<long long>(wParam), lParam});
    fake::Window* window = fake::FindWindowOf(handle);
    if (!window || window->destroyed) return 0;
    return window->procedure(handle, message, wParam, lParam);
}

LONG_PTR SetWindowLongPtrW(HWND handle, int index, LONG_PTR value) {
    Log("SetWindowLongPtrW", {N(handle), index, value});
    fake::Window* window = fake::FindWindowOf(handle);
    if (!window) return 0;
    LONG_PTR previous = 0;
    if (index == GWLP_USERDATA) {
        previous = window->userData;
        window->userData = value;
    } else if (index == GWLP_WNDPROC) {
        previous = reinterpret_cast<LONG_PTR>(window->procedure);
        window->procedure = reinterpret_cast<WNDPROC>(value);
    }
    return previous;
}

LONG_PTR GetWindowLongPtrW(HWND handle, int index) {
    fake::Window* window = fake::FindWindowOf(handle);
    if (!window) return 0;
    if (index == GWLP_USERDATA) return window->userData;
    if (index == GWLP_WNDPROC) return reinterpret_cast<LONG_PTR>(window->procedure);
    return 0;
}

BOOL SetWindowTextW(HWND handle, LPCWSTR text) {
    Log("SetWindowTextW", {N(handle)}, fake::Narrow(text));
    fake::Window* window = fake::FindWindowOf(handle);
    if (!window) return FALSE;
    window->wideText = text;
    window->text = fake::Narrow(text);
    window->selectionStart = window->selectionEnd = 0;
    return TRUE;
}

int GetWindowTextW(HWND handle, WCHAR* text, int maxCount) {
    fake::Window* window = fake::FindWindowOf(handle);
    if (!window || maxCount <= 0) return 0;
    size_t length = std::min(window->wideText.size(), static_cast<size_t>(maxCount - 1));
    std::copy_n(window->wideText.begin(), length, text);
    text[length] = L'\0';
    return static_cast<int>(length);
}

int GetWindowTextLengthW(HWND handle) {
    fake::Window* window = fake::FindWindowOf(handle);
    return window ? static_cast<int>(window->wideText.size()) : 0;
}

HWND SetFocus(HWND window) {
    Log("SetFocus", {N(window)});
    HWND previous = fake::S().focus;
    fake::S().focus = window;
    return previous;
}

HWND GetFocus() { return fake::S().focus; }

BOOL IsChild(HWND parent, HWND handle) {
    for (fake::Window* window = fake::FindWindowOf(handle); window && window->parent;
         window = fake::FindWindowOf(window->parent)) {
        if (window->parent == parent) return TRUE;
    }
    return FALSE;
}

BOOL IsWindow(HWND handle) {
    fake::Window* window = fake::FindWindowOf(handle);
    return window && !window->destroyed;
}

// Siblings in the order they were made, which is their stacking order: the
// runtime makes its controls top first.
HWND GetWindow(HWND handle, UINT relation) {
    Log("GetWindow", {N(handle), relation});
    fake::Window* window = fake::FindWindowOf(handle);
    if (!window) return nullptr;
    std::vector<HWND> siblings;
    for (HWND other : fake::S().stacking) {
        if (fake::WindowOf(other).parent == window->parent) siblings.push_back(other);
    }
    auto at = std::find(siblings.begin(), siblings.end(), handle);
    if (relation == GW_HWNDNEXT) return at + 1 < siblings.end() ? *(at + 1) : nullptr;
    if (relation == GW_HWNDPREV) return at > siblings.begin() ? *(at - 1) : nullptr;
    return nullptr;
}

BOOL SetWindowPos(HWND window, HWND after, int x, int y, int width, int height, UINT flags) {
    Log("SetWindowPos", {N(window), N(after), x, y, width, height, flags});
    if (flags & SWP_NOZORDER) return TRUE;
    auto& stacking = fake::S().stacking;
    stacking.erase(std::find(stacking.begin(), stacking.end(), window));
    auto place = after == HWND_TOP ? stacking.begin() : std::find(stacking.begin(), stacking.end(), after) + 1;
    stacking.insert(place, window);
    return TRUE;
}

BOOL ShowWindow(HWND handle, int command) {
    Log("ShowWindow", {N(handle), command});
    if (fake::Window* window = fake::FindWindowOf(handle)) window->visible = command != 0;
    return TRUE;
}

BOOL UpdateWindow(HWND window) {
    Log("UpdateWindow", {N(window)});
    return TRUE;
}

BOOL RedrawWindow(HWND window, const RECT* area, HRGN region, UINT flags) {
    Log("RedrawWindow", {N(window), area != nullptr, N(region), flags});
    return TRUE;
}

BOOL InvalidateRect(HWND window, const RECT* area, BOOL erase) {
    Log("InvalidateRect", {N(window), area != nullptr, erase});
    return TRUE;
}

BOOL GetClientRect(HWND handle, RECT* rect) {
    fake::Window* window = fake::FindWindowOf(handle);
    if (!window) return FALSE;
    *rect = RECT{0, 0, window->rect.right - window->rect.left, window->rect.bottom - window->rect.top};
    return TRUE;
}

// A frame of 3 pixels and a caption of 19.
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle) {
    Log("AdjustWindowRectEx", {style, menu, exStyle});
    rect->left -= 3;
    rect->right += 3;
    rect->top -= 22;
    rect->bottom += 3;
    return TRUE;
}

HMONITOR MonitorFromRect(const RECT*, DWORD flags) {
    Log("MonitorFromRect", {flags});
    return reinterpret_cast<HMONITOR>(fake::kMonitor);
}

BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info) {
    Log("GetMonitorInfoW", {N(monitor)});
    const RECT& work = fake::script().workArea;
    info->rcWork = work.right > work.left ? work : RECT{0, 0, 1024, 768};
    info->rcMonitor = info->rcWork;
    return fake::script().workAreaResult;
}

SHORT GetKeyState(int key) {
    auto& keys = fake::script().keyStates;
    auto state = keys.find(key);
    return state != keys.end() ? state->second : 0;
}

BOOL GetMessageW(MSG* message, HWND window, UINT first, UINT last) {
    Log("GetMessageW", {N(window), first, last});
    fake::State& state = fake::S();
    if (state.script.getMessageFails) return -1;
    while (state.queue.empty() && state.nextIdleStep < state.script.idleSteps.size()) {
        state.script.idleSteps[state.nextIdleStep++]();
    }
    if (state.queue.empty()) {
        *message = MSG{nullptr, WM_QUIT, 0, 0, 0, {0, 0}};
        return FALSE;
    }
    *message = state.queue.front();
    state.queue.erase(state.queue.begin());
    return message->message != WM_QUIT;
}

BOOL TranslateMessage(const MSG* message) {
    Log("TranslateMessage", {N(message->hwnd), message->message});
    return TRUE;
}

LRESULT DispatchMessageW(const MSG* message) {
    Log("DispatchMessageW", {N(message->hwnd), message->message, static_cast<long long>(message->wParam)});
    fake::Window* window = fake::FindWindowOf(message->hwnd);
    if (!window || window->destroyed) return 0;
    return window->procedure(message->hwnd, message->message, message->wParam, message->lParam);
}

void PostQuitMessage(int exitCode) {
    Log("PostQuitMessage", {exitCode});
    fake::Post(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode));
}

// The process ends here: what ran before is on the error stream, for a test
// that runs it in a process of its own.
void ExitProcess(UINT exitCode) {
    std::fprintf(stderr, "exit %u\n", exitCode);
    std::fflush(stderr);
    std::_Exit(static_cast<int>(exitCode));
}

HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int width, int height, UINT flags) {
    Log("LoadImageW", {N(instance), N(name), type, width, height, flags});
    return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x7300 + width));
}

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
    Log("LoadCursorW", {N(instance), N(name)});
    // One cursor per system cursor's number, none for anything else.
    bool systemCursor = name && N(name) <= 0xFFFF;
    return systemCursor ? reinterpret_cast<HCURSOR>(static_cast<uintptr_t>(0x70000 + N(name))) : nullptr;
}

HDC GetDC(HWND window) {
    HDC handle = fake::NewWindowDc(window);
    Log("GetDC", {N(window), N(handle)});
    return handle;
}

int GetDeviceCaps(HDC dc, int index) {
    Log("GetDeviceCaps", {N(dc), index});
    bool asked = fake::Live(dc, "GetDeviceCaps") && (index == LOGPIXELSX || index == LOGPIXELSY);
    return asked ? fake::script().dpi : 0;
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
    HDC dc = GetDC(window);
    Log("BeginPaint", {N(window), N(dc)});
    *paint = PAINTSTRUCT{};
    paint->hdc = dc;
    GetClientRect(window, &paint->rcPaint);
    return dc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
    Log("EndPaint", {N(window), N(paint->hdc)});
    return ReleaseDC(window, paint->hdc);
}

BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags) {
    Log("DrawEdge", {N(dc), rect->left, rect->top, rect->right, rect->bottom, edge, flags});
    if (flags & BF_ADJUST) InflateRect(rect, -2, -2);
    return TRUE;
}

int DrawTextW(HDC dc, LPCWSTR text, int length, RECT* rect, UINT format) {
    std::wstring drawn(text, static_cast<size_t>(length));
    Log("DrawTextW", {N(dc), rect->left, rect->top, rect->right, rect->bottom, format}, fake::Narrow(drawn));
    return 1;
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
    Log("DrawFocusRect", {N(dc), rect->left, rect->top, rect->right, rect->bottom});
    return TRUE;
}

BOOL InflateRect(RECT* rect, int dx, int dy) {
    rect->left -= dx;
    rect->right += dx;
    rect->top -= dy;
    rect->bottom += dy;
    return TRUE;
}

COLORREF SetBkColor(HDC dc, COLORREF colour) {
    Log("SetBkColor", {N(dc), colour});
    return 0;
}

HFONT CreateFontIndirectW(const LOGFONTW* font) {
    Object created(Kind::Font);
    created.logFont = *font;
    HFONT handle = fake::NewObject<HFONT>(std::move(created));
    Log("CreateFontIndirectW", {font->lfHeight, font->lfWeight, font->lfCharSet, N(handle), font->lfWidth},
        fake::Narrow(font->lfFaceName));
    return handle;
}

int GetObjectW(HANDLE handle, int size, LPVOID buffer) {
    Object* object = fake::Live(handle, "GetObjectW");
    if (!object || object->kind != Kind::Font || size != static_cast<int>(sizeof(LOGFONTW))) return 0;
    std::memcpy(buffer, &object->logFont, sizeof(LOGFONTW));
    return size;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
    Object* context = fake::Live(dc, "GetCurrentObject");
    return context && type == OBJ_FONT ? context->font : nullptr;
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
    *metrics = TEXTMETRICW{};
    metrics->tmHeight = fake::FontHeight(dc);
    return TRUE;
}

// A face is had as asked where it is installed; otherwise the mapper stands
// another in for it, with no character set of its own.
int GetTextFaceW(HDC dc, int count, WCHAR* face) {
    Object* context = fake::Find(dc);
    Object* font = context ? fake::Find(context->font) : nullptr;
    std::wstring had = L"Stand-in";
    if (font && font->kind == Kind::Font) {
        const auto& installed = fake::script().installedFaces;
        if (std::find(installed.begin(), installed.end(), font->logFont.lfFaceName) != installed.end()) {
            had = font->logFont.lfFaceName;
        }
    }
    lstrcpynW(face, had.c_str(), count);
    return static_cast<int>(had.size()) + 1;
}

int GetTextCharset(HDC dc) {
    Object* context = fake::Find(dc);
    Object* font = context ? fake::Find(context->font) : nullptr;
    return font && font->kind == Kind::Font ? font->logFont.lfCharSet : 0;
}

WCHAR* lstrcpynW(WCHAR* destination, LPCWSTR source, int length) {
    int i = 0;
    for (; i + 1 < length && source[i]; ++i) destination[i] = source[i];
    if (length > 0) destination[i] = L'\0';
    return destination;
}

int lstrcmpiW(LPCWSTR a, LPCWSTR b) {
    for (; *a && std::towlower(*a) == std::towlower(*b); ++a, ++b) {
    }
    return static_cast<int>(std::towlower(*a)) - static_cast<int>(std::towlower(*b));
}

BOOL OpenClipboard(HWND owner) {
    Log("OpenClipboard", {N(owner)});
    return fake::script().clipboardOpens;
}

HANDLE GetClipboardData(UINT format) {
    Log("GetClipboardData", {format});
    bool has = format == CF_UNICODETEXT && fake::script().clipboardHasText;
    return has ? reinterpret_cast<HANDLE>(fake::kClipboardData) : nullptr;
}

BOOL CloseClipboard() {
    Log("CloseClipboard", {});
    return TRUE;
}

// The clipboard's text with its terminating zero, as the platform keeps it,
// or the unterminated block and what lies after it.
LPVOID GlobalLock(HGLOBAL memory) {
    Log("GlobalLock", {N(memory)});
    static std::wstring held;
    if (reinterpret_cast<uintptr_t>(memory) != fake::kClipboardData) return nullptr;
    const std::u16string text = fake::script().clipboard + fake::script().clipboardPastItsBlock;
    held.assign(text.begin(), text.end());
    return held.data();
}

BOOL GlobalUnlock(HGLOBAL memory) {
    Log("GlobalUnlock", {N(memory)});
    return TRUE;
}

size_t GlobalSize(HGLOBAL memory) {
    if (reinterpret_cast<uintptr_t>(memory) != fake::kClipboardData) return 0;
    bool terminated = fake::script().clipboardPastItsBlock.empty();
    return (fake::script().clipboard.size() + (terminated ? 1 : 0)) * sizeof(wchar_t);
}

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT milliseconds, void*) {
    Log("SetTimer", {N(window), static_cast<long long>(id), milliseconds});
    return id;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
    Log("KillTimer", {N(window), static_cast<long long>(id)});
    return TRUE;
}

HMODULE GetModuleHandleW(LPCWSTR name) {
    Log("GetModuleHandleW", {}, fake::Narrow(name));
    return nullptr;
}

UINT GetSystemDirectoryW(WCHAR* buffer, UINT size) {
    const std::wstring folder = L"C:\\windows\\system32";
    lstrcpynW(buffer, folder.c_str(), static_cast<int>(size));
    return static_cast<UINT>(folder.size());
}

HMODULE LoadLibraryExW(LPCWSTR path, HANDLE, DWORD flags) {
    std::wstring name = path;
    Log("LoadLibraryExW", {flags}, fake::Narrow(name));
    bool usp10 = name == L"C:\\windows\\system32\\usp10.dll" && fake::script().uniscribe;
    return usp10 ? reinterpret_cast<HMODULE>(fake::kUsp10) : nullptr;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
    if (reinterpret_cast<uintptr_t>(module) != fake::kUsp10) return nullptr;
    std::string wanted = name;
    if (wanted == fake::script().missingUniscribeFunction) return nullptr;
    void* function = wanted == "ScriptStringAnalyse"   ? reinterpret_cast<void*>(&ScriptStringAnalyse)
                     : wanted == "ScriptString_pSize" ? reinterpret_cast<void*>(&ScriptString_pSize)
                     : wanted == "ScriptStringOut"    ? reinterpret_cast<void*>(&ScriptStringOut)
                     : wanted == "ScriptStringFree"   ? reinterpret_cast<void*>(&ScriptStringFree)
                                                      : nullptr;
    return reinterpret_cast<FARPROC>(function);
}

BOOL FreeLibrary(HMODULE module) {
    Log("FreeLibrary", {N(module)});
    return TRUE;
}

HRESULT ScriptStringAnalyse(HDC dc, const void* text, int length, int glyphs, int charset, DWORD flags, int,
                            SCRIPT_CONTROL*, SCRIPT_STATE* state, const int*, SCRIPT_TABDEF*, const BYTE*,
                            SCRIPT_STRING_ANALYSIS* analysis) {
    LONG height = fake::FontHeight(dc);
    std::wstring shaped(static_cast<const wchar_t*>(text), static_cast<size_t>(std::max(length, 0)));
    Log("ScriptStringAnalyse", {N(dc), length, flags, state ? state->uBidiLevel : -1, height, glyphs, charset},
        fake::Narrow(shaped));
    // As the platform's, a failed analysis leaves *analysis as it was.
    if (length < 1) return fake::kInvalidArgument;
    if (fake::script().shapingFails) return fake::kFailed;
    *analysis = new fake::Analysis{SIZE{length * height / 2, height}};
    return 0;
}

const SIZE* ScriptString_pSize(SCRIPT_STRING_ANALYSIS analysis) {
    return &static_cast<fake::Analysis*>(analysis)->size;
}

HRESULT ScriptStringOut(SCRIPT_STRING_ANALYSIS analysis, int x, int y, UINT options, const RECT* clip,
                        int selectionStart, int selectionEnd, BOOL) {
    const SIZE& size = static_cast<fake::Analysis*>(analysis)->size;
    Log("ScriptStringOut", {x, y, options, clip->left, clip->top, clip->right, clip->bottom, size.cx, selectionStart,
                            selectionEnd});
    return 0;
}

HRESULT ScriptStringFree(SCRIPT_STRING_ANALYSIS* analysis) {
    Log("ScriptStringFree", {});
    delete static_cast<fake::Analysis*>(*analysis);
    *analysis = nullptr;
    return 0;
}
