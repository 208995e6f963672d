#include "fake_win32.h"
#include "fake_state.h"

#include <new>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <sstream>

namespace fake {
namespace {
bool IsSelectedSomewhere(const void* handle) {
    for (auto& entry : S().objects) {
        const Object& dc = entry.second;
        if (dc.alive && (dc.kind == Kind::MemoryDC || dc.kind == Kind::WindowDC) &&
            (dc.bitmap == handle || dc.font == handle)) {
            return true;
        }
    }
    return false;
}

RECT Intersect(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const RECT& rect) { return rect.left >= rect.right || rect.top >= rect.bottom; }

Pixels* SurfaceOf(HDC dc, const char* call) {
    Object* object = Live(dc, call);
    if (!object) return nullptr;
    if (object->kind == Kind::MemoryDC) {
        Object* bitmap = Find(object->bitmap);
        return bitmap && bitmap->kind == Kind::Bitmap ? &bitmap->pixels : nullptr;
    }
    if (object->kind == Kind::WindowDC) {
        Window* window = FindWindowOf(object->window);
        return window ? &window->surface : nullptr;
    }
    return nullptr;
}

}  // namespace

Region::Region(const RECT& rect) {
    if (!IsEmpty(rect)) rects_.push_back(rect);
}

void Region::Subtract(const RECT& cut) {
    std::vector<RECT> result;
    for (const RECT& r : rects_) {
        RECT overlap = Intersect(r, cut);
        if (IsEmpty(overlap)) {
            result.push_back(r);
            continue;
        }
        RECT pieces[] = {{r.left, r.top, r.right, overlap.top},
                         {r.left, overlap.bottom, r.right, r.bottom},
                         {r.left, overlap.top, overlap.left, overlap.bottom},
                         {overlap.right, overlap.top, r.right, overlap.bottom}};
        for (const RECT& piece : pieces) {
            if (!IsEmpty(piece)) result.push_back(piece);
        }
    }
    rects_ = result;
}

void Region::Offset(int dx, int dy) {
    for (RECT& r : rects_) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
}

bool Region::Contains(int x, int y) const {
    for (const RECT& r : rects_) {
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
    }
    return false;
}

long long Region::Area() const {
    long long area = 0;
    for (const RECT& r : rects_) area += static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
    return area;
}

bool Region::Equals(const Region& other) const {
    if (Area() != other.Area()) return false;
    Region rest = *this;
    for (const RECT& r : other.rects_) rest.Subtract(r);
    return rest.Area() == 0;
}

void Reset() {
    S() = State{};
    Script& script = S().script;
    script.metrics = {{SM_CXFRAME, 4}, {SM_CYCAPTION, 19}, {SM_CXSIZE, 18}, {SM_CXDLGFRAME, 3}};
    script.sysColors = {{COLOR_ACTIVECAPTION, 0x00D1B499}, {COLOR_INACTIVECAPTION, 0x00DBCDBF},
                        {COLOR_CAPTIONTEXT, 0x00000000}, {COLOR_INACTIVECAPTIONTEXT, 0x00544E43}};
    std::strcpy(script.captionFont.lfFaceName, "Tahoma");
    script.captionFont.lfHeight = -11;
    script.captionFont.lfWeight = 700;
}

Script& script() { return S().script; }

HWND AddWindow(const RECT& rect, LONG style, const std::string& text) {
    uintptr_t id = 0x100 + 0x10 * S().windows.size();
    Window& window = S().windows[id];
    window.rect = rect;
    window.style = style;
    window.text = text;
    window.procedure = OwnWindowProc;
    window.surface.width = rect.right - rect.left;
    window.surface.height = rect.bottom - rect.top;
    window.surface.colours.assign(static_cast<size_t>(window.surface.width * window.surface.height), 0xFFFFFFFF);
    return reinterpret_cast<HWND>(id);
}

Window& WindowOf(HWND window) { return *FindWindowOf(window); }

LRESULT CALLBACK OwnWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window& window = WindowOf(handle);
    window.seenByOwnProcedure.push_back(Message{message, wParam, lParam});
    if (message == WM_GETICON) return reinterpret_cast<LRESULT>(window.icon);
    return window.OwnResultFor(message);
}

const std::vector<Call>& Calls() { return S().calls; }

std::vector<std::string> CallNames() {
    std::vector<std::string> names;
    for (const Call& call : S().calls) names.push_back(call.name);
    return names;
}

std::vector<Call> CallsNamed(const std::string& name) {
    std::vector<Call> named;
    for (const Call& call : S().calls) {
        if (call.name == name) named.push_back(call);
    }
    return named;
}

void ClearCalls() { S().calls.clear(); }

void Record(const std::string& name, std::vector<long long> args) { Log(name, std::move(args)); }

void ForgetReleasedObjects() {
    for (auto it = S().objects.begin(); it != S().objects.end();) {
        it = it->second.alive ? std::next(it) : S().objects.erase(it);
    }
}

int LiveObjects() {
    int live = 0;
    for (auto& entry : S().objects) live += entry.second.alive ? 1 : 0;
    return live;
}

std::string Problems() {
    std::ostringstream report;
    for (const std::string& problem : S().problems) report << problem << "; ";
    for (auto& entry : S().objects) {
        if (entry.second.alive) report << "object 0x" << std::hex << entry.first << std::dec << " never released; ";
    }
    return report.str();
}

const Region* RegionOf(HRGN region) {
    Object* object = Find(region);
    return object && object->kind == Kind::Region ? &object->region : nullptr;
}

const Region* ClipOf(HDC dc) {
    Object* object = Find(dc);
    return object && object->hasClip ? &object->clip : nullptr;
}

const Pixels* BitmapPixels(HBITMAP bitmap) {
    Object* object = Find(bitmap);
    return object && object->kind == Kind::Bitmap ? &object->pixels : nullptr;
}

COLORREF BrushColour(HBRUSH brush) {
    Object* object = Find(brush);
    return object && object->alive && object->kind == Kind::Brush ? object->colour : 0xFFFFFFFF;
}

HCURSOR CurrentCursor() { return S().cursor; }

}  // namespace fake

using fake::Kind;
using fake::Log;
using fake::N;
using fake::Object;

int GetSystemMetrics(int index) {
    Log("GetSystemMetrics", {index});
    auto& metrics = fake::S().script.metrics;
    auto it = metrics.find(index);
    return it == metrics.end() ? 0 : it->second;
}

DWORD GetSysColor(int index) {
    Log("GetSysColor", {index});
    auto& colours = fake::S().script.sysColors;
    auto it = colours.find(index);
    return it == colours.end() ? 0 : it->second;
}

BOOL SystemParametersInfoA(UINT action, UINT parameter, PVOID data, UINT flags) {
    fake::Script& script = fake::S().script;
    if (action == SPI_GETNONCLIENTMETRICS) {
        UINT size = 0;
        std::memcpy(&size, data, sizeof size);
        Log("SystemParametersInfoA", {action, parameter, size, flags});
        if (!script.parametersResult) return FALSE;
        std::memcpy(static_cast<char*>(data) + offsetof(NONCLIENTMETRICSA, lfCaptionFont), &script.captionFont,
                    sizeof(LOGFONTA));
        return TRUE;
    }
    Log("SystemParametersInfoA", {action, parameter, 0, flags});
    if (action == SPI_GETWORKAREA && script.workAreaResult) {
        std::memcpy(data, &script.workArea, sizeof(RECT));
        return script.workAreaResult;
    }
    return FALSE;
}

BOOL SystemParametersInfoW(UINT action, UINT parameter, PVOID data, UINT flags) {
    fake::Script& script = fake::S().script;
    Log("SystemParametersInfoW", {action, parameter, 0, flags});
    if (action != SPI_GETHIGHCONTRAST || !script.highContrastResult) return FALSE;
    auto* highContrast = static_cast<HIGHCONTRASTW*>(data);
    if (highContrast->cbSize != sizeof(HIGHCONTRASTW) || parameter != sizeof(HIGHCONTRASTW)) {
        fake::Problem("SPI_GETHIGHCONTRAST asked with a wrong size");
        return FALSE;
    }
    highContrast->dwFlags = script.highContrastFlags;
    return TRUE;
}

HANDLE CreateMutexW(void* security, BOOL initialOwner, LPCWSTR name) {
    std::string narrow;
    for (const wchar_t* c = name; c && *c; ++c) narrow += static_cast<char>(*c);
    Log("CreateMutexW", {N(security), initialOwner}, narrow);
    fake::S().lastError = fake::S().script.mutexError;
    return fake::S().script.createdMutex;
}

DWORD GetLastError() {
    Log("GetLastError", {});
    return fake::S().lastError;
}

BOOL CloseHandle(HANDLE object) {
    Log("CloseHandle", {N(object)});
    return TRUE;
}

BOOL GetWindowRect(HWND window, RECT* rect) {
    Log("GetWindowRect", {N(window)});
    fake::Window* state = fake::FindWindowOf(window);
    if (!state) return FALSE;
    *rect = state->rect;
    return TRUE;
}

LONG GetWindowLongA(HWND window, int index) {
    Log("GetWindowLongA", {N(window), index});
    fake::Window* state = fake::FindWindowOf(window);
    return state && index == GWL_STYLE ? state->style : 0;
}

LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value) {
    Log("SetWindowLongPtrA", {N(window), index, static_cast<long long>(value)});
    fake::Window* state = fake::FindWindowOf(window);
    if (!state || index != GWLP_WNDPROC || value == 0) return 0;
    LONG_PTR previous = reinterpret_cast<LONG_PTR>(state->procedure);
    state->procedure = reinterpret_cast<WNDPROC>(value);
    return previous;
}

int GetWindowTextA(HWND window, LPSTR text, int maxCount) {
    Log("GetWindowTextA", {N(window), maxCount});
    fake::Window* state = fake::FindWindowOf(window);
    if (!state || maxCount <= 0) return 0;
    int length = std::min(static_cast<int>(state->text.size()), maxCount - 1);
    std::memcpy(text, state->text.data(), static_cast<size_t>(length));
    text[length] = '\0';
    return length;
}

BOOL IsZoomed(HWND window) {
    Log("IsZoomed", {N(window)});
    fake::Window* state = fake::FindWindowOf(window);
    return state && state->zoomed;
}

HWND GetParent(HWND window) {
    Log("GetParent", {N(window)});
    fake::Window* state = fake::FindWindowOf(window);
    return state ? state->parent : nullptr;
}

HWND GetActiveWindow() {
    Log("GetActiveWindow", {});
    return fake::S().script.activeWindow;
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    std::vector<long long> args{N(window), message, static_cast<long long>(wParam), static_cast<long long>(lParam)};
    // WM_MDIGETACTIVE's lParam names a variable the platform may write to: what it held is logged too.
    if (message == WM_MDIGETACTIVE && lParam) args.push_back(*reinterpret_cast<const int32_t*>(lParam));
    Log("SendMessageA", std::move(args));
    fake::Window* state = fake::FindWindowOf(window);
    if (message == WM_MDIGETACTIVE) return reinterpret_cast<LRESULT>(fake::S().script.mdiActiveChild);
    if (!state || !state->procedure) return 0;
    return state->procedure(window, message, wParam, lParam);
}

LRESULT CallWindowProcA(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Log("CallWindowProcA", {N(reinterpret_cast<void*>(procedure)), N(window), message, static_cast<long long>(wParam),
                            static_cast<long long>(lParam)});
    return procedure ? procedure(window, message, wParam, lParam) : 0;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Log("DefWindowProcA", {N(window), message, static_cast<long long>(wParam), static_cast<long long>(lParam)});
    return 0;
}

BOOL SetPropA(HWND window, LPCSTR name, HANDLE data) {
    Log("SetPropA", {N(window), N(data)}, name);
    fake::Window* state = fake::FindWindowOf(window);
    if (!state) return FALSE;
    state->properties[name] = data;
    return TRUE;
}

HANDLE GetPropA(HWND window, LPCSTR name) {
    Log("GetPropA", {N(window)}, name);
    fake::Window* state = fake::FindWindowOf(window);
    if (!state) return nullptr;
    auto it = state->properties.find(name);
    return it == state->properties.end() ? nullptr : it->second;
}

HANDLE RemovePropA(HWND window, LPCSTR name) {
    Log("RemovePropA", {N(window)}, name);
    fake::Window* state = fake::FindWindowOf(window);
    if (!state) return nullptr;
    auto it = state->properties.find(name);
    if (it == state->properties.end()) return nullptr;
    HANDLE data = it->second;
    state->properties.erase(it);
    return data;
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    auto id = static_cast<long long>(reinterpret_cast<uintptr_t>(name));
    Log("LoadCursorA", {N(instance), id});
    return reinterpret_cast<HCURSOR>(static_cast<uintptr_t>(0x700000 + id));
}

HCURSOR SetCursor(HCURSOR cursor) {
    Log("SetCursor", {N(cursor)});
    HCURSOR previous = fake::S().cursor;
    fake::S().cursor = cursor;
    return previous;
}

HDC GetWindowDC(HWND window) {
    if (!fake::FindWindowOf(window)) {
        Log("GetWindowDC", {N(window), 0});
        return nullptr;
    }
    HDC handle = fake::NewWindowDc(window);
    Log("GetWindowDC", {N(window), N(handle)});
    return handle;
}

int ReleaseDC(HWND window, HDC dc) {
    Log("ReleaseDC", {N(window), N(dc)});
    Object* object = fake::Live(dc, "ReleaseDC");
    if (!object || object->kind != Kind::WindowDC) return 0;
    if (object->window != window) fake::Problem("ReleaseDC for another window");
    object->alive = false;
    return 1;
}

HDC CreateCompatibleDC(HDC dc) {
    Object memory(Kind::MemoryDC);
    memory.bitmap = reinterpret_cast<HGDIOBJ>(fake::kStockBitmap);
    memory.font = reinterpret_cast<HGDIOBJ>(fake::kStockFont);
    HDC handle = fake::NewObject<HDC>(std::move(memory));
    Log("CreateCompatibleDC", {N(dc), N(handle)});
    return handle;
}

BOOL DeleteDC(HDC dc) {
    Log("DeleteDC", {N(dc)});
    Object* object = fake::Live(dc, "DeleteDC");
    if (!object || object->kind != Kind::MemoryDC) return FALSE;
    if (object->bitmap != reinterpret_cast<HGDIOBJ>(fake::kStockBitmap)) fake::Problem("DeleteDC with a bitmap selected");
    if (object->font != reinterpret_cast<HGDIOBJ>(fake::kStockFont)) fake::Problem("DeleteDC with a font selected");
    object->alive = false;
    return TRUE;
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    int limit = fake::script().bitmapRowsLimit;
    if (limit > 0 && height > limit) {
        Log("CreateCompatibleBitmap", {N(dc), width, height, 0});
        return nullptr;
    }
    Object bitmap(Kind::Bitmap);
    bitmap.pixels.width = width;
    bitmap.pixels.height = height;
    bitmap.pixels.colours.assign(static_cast<size_t>(std::max(0, width * height)), 0);
    HBITMAP handle = fake::NewObject<HBITMAP>(std::move(bitmap));
    Log("CreateCompatibleBitmap", {N(dc), width, height, N(handle)});
    return handle;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    Log("SelectObject", {N(dc), N(object)});
    Object* context = fake::Live(dc, "SelectObject");
    if (!context || !object) return nullptr;
    uintptr_t id = reinterpret_cast<uintptr_t>(object);
    Object* selected = fake::Find(object);
    bool isBitmap = id == fake::kStockBitmap || (selected && selected->kind == Kind::Bitmap);
    bool isFont = id == fake::kStockFont || (selected && selected->kind == Kind::Font);
    if (selected && !selected->alive) fake::Problem("SelectObject of a deleted object");
    int selectable = fake::script().selectableRowsLimit;
    if (selected && selected->kind == Kind::Bitmap && selectable > 0 && selected->pixels.height > selectable) {
        return nullptr;
    }
    HGDIOBJ previous = nullptr;
    if (isBitmap && context->kind == Kind::MemoryDC) {
        previous = context->bitmap;
        context->bitmap = object;
    } else if (isFont) {
        previous = context->font;
        context->font = object;
    }
    return previous;
}

BOOL DeleteObject(HGDIOBJ handle) {
    Log("DeleteObject", {N(handle)});
    Object* object = fake::Live(handle, "DeleteObject");
    if (!object || object->kind == Kind::MemoryDC || object->kind == Kind::WindowDC) return FALSE;
    if (fake::IsSelectedSomewhere(handle)) fake::Problem("DeleteObject of an object still selected");
    object->alive = false;
    object->pixels.colours = {};  // a deleted bitmap keeps its size, not its memory
    return TRUE;
}

HBRUSH CreateSolidBrush(COLORREF colour) {
    Object brush(Kind::Brush);
    brush.colour = colour;
    HBRUSH handle = fake::NewObject<HBRUSH>(std::move(brush));
    Log("CreateSolidBrush", {colour, N(handle)});
    return handle;
}

HFONT CreateFontIndirectA(const LOGFONTA* font) {
    HFONT handle = fake::NewObject<HFONT>(Object(Kind::Font));
    Log("CreateFontIndirectA", {font->lfHeight, font->lfWeight, N(handle)}, font->lfFaceName);
    return handle;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    Object region(Kind::Region);
    region.region = fake::Region(RECT{left, top, right, bottom});
    HRGN handle = fake::NewObject<HRGN>(std::move(region));
    Log("CreateRectRgn", {left, top, right, bottom, N(handle)});
    return handle;
}

int SelectClipRgn(HDC dc, HRGN region) {
    Log("SelectClipRgn", {N(dc), N(region)});
    Object* context = fake::Live(dc, "SelectClipRgn");
    Object* source = fake::Live(region, "SelectClipRgn");
    if (!context) return 0;
    context->hasClip = source != nullptr;
    context->clip = source ? source->region : fake::Region();
    return 2;
}

int OffsetClipRgn(HDC dc, int dx, int dy) {
    Log("OffsetClipRgn", {N(dc), dx, dy});
    Object* context = fake::Live(dc, "OffsetClipRgn");
    if (!context || !context->hasClip) return 0;
    context->clip.Offset(dx, dy);
    return 2;
}

int GetClipRgn(HDC dc, HRGN region) {
    Log("GetClipRgn", {N(dc), N(region)});
    Object* context = fake::Live(dc, "GetClipRgn");
    Object* target = fake::Live(region, "GetClipRgn");
    if (!context || !target) return -1;
    if (!context->hasClip) return 0;
    target->region = context->clip;
    return 1;
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
    Log("ExcludeClipRect", {N(dc), left, top, right, bottom});
    Object* context = fake::Live(dc, "ExcludeClipRect");
    if (!context) return 0;
    if (context->hasClip) context->clip.Subtract(RECT{left, top, right, bottom});
    return 2;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    Log("FillRect", {N(dc), rect->left, rect->top, rect->right, rect->bottom, N(brush)});
    Object* paint = fake::Live(brush, "FillRect");
    fake::Pixels* pixels = fake::SurfaceOf(dc, "FillRect");
    if (!paint || !pixels) return 0;
    RECT area = fake::Intersect(*rect, RECT{0, 0, pixels->width, pixels->height});
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) pixels->colours[static_cast<size_t>(y * pixels->width + x)] = paint->colour;
    }
    return 1;
}

BOOL OffsetRect(RECT* rect, int dx, int dy) {
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step, HBRUSH flickerFreeBrush,
                UINT flags) {
    Log("DrawIconEx", {N(dc), x, y, N(icon), width, height, step, N(flickerFreeBrush), flags});
    return icon != nullptr;
}

int SetBkMode(HDC dc, int mode) {
    Log("SetBkMode", {N(dc), mode});
    return 2;
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
    Log("SetTextColor", {N(dc), colour});
    return 0;
}

int DrawTextA(HDC dc, LPCSTR text, int length, RECT* rect, UINT format) {
    Log("DrawTextA", {N(dc), length, rect->left, rect->top, rect->right, rect->bottom, format},
        std::string(text, static_cast<size_t>(std::max(0, length))));
    return 1;
}

BOOL DrawFrameControl(HDC dc, RECT* rect, UINT type, UINT state) {
    Log("DrawFrameControl", {N(dc), rect->left, rect->top, rect->right, rect->bottom, type, state});
    return TRUE;
}

BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop) {
    Log("BitBlt", {N(destination), x, y, width, height, N(source), sourceX, sourceY, rop});
    fake::Pixels* to = fake::SurfaceOf(destination, "BitBlt");
    fake::Pixels* from = fake::SurfaceOf(source, "BitBlt");
    if (!to || !from || rop != SRCCOPY) return FALSE;
    const fake::Region* clip = fake::ClipOf(destination);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            int tx = x + column, ty = y + row, fx = sourceX + column, fy = sourceY + row;
            if (tx < 0 || ty < 0 || tx >= to->width || ty >= to->height) continue;
            if (fx < 0 || fy < 0 || fx >= from->width || fy >= from->height) continue;
            if (clip && !clip->Contains(tx, ty)) continue;
            to->colours[static_cast<size_t>(ty * to->width + tx)] = from->At(fx, fy);
        }
    }
    return TRUE;
}

void NotifyWinEvent(DWORD event, HWND window, LONG objectId, LONG childId) {
    Log("NotifyWinEvent", {event, N(window), objectId, childId});
}
