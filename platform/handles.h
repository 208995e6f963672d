#pragma once
// Owned handles of the platform's objects, a window's DC, and the selection
// guard. An owned handle deletes or releases what it holds when it goes, and
// can be moved but never copied, so that whoever holds it is the one to let
// it go; a window's DC goes back to its window; a selection puts back what a
// device context had selected. Over the seam: natively they call the
// recording fake, whose ledger sees what they leave behind.

#include "platform/win32.h"

#include <utility>

namespace platform {

template <typename Handle, typename Release>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { Reset(); }
    Owned(Owned&& other) noexcept : handle_(other.Take()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) Reset(other.Take());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Lets the handle go without deleting it.
    Handle Take() { return std::exchange(handle_, nullptr); }
    // Deletes what it holds, after taking `handle` in its place.
    void Reset(Handle handle = nullptr) {
        Handle old = std::exchange(handle_, handle);
        if (old) Release{}(old);
    }

private:
    Handle handle_ = nullptr;
};

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DeleteMemoryDc {
    void operator()(HDC dc) const { DeleteDC(dc); }
};

using Brush = Owned<HBRUSH, DeleteGdiObject>;
using Font = Owned<HFONT, DeleteGdiObject>;
using Bitmap = Owned<HBITMAP, DeleteGdiObject>;
using Region = Owned<HRGN, DeleteGdiObject>;
using MemoryDc = Owned<HDC, DeleteMemoryDc>;

// A window's whole device context, released to its window when it goes.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    ~WindowDc() { ReleaseDC(window_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for the scope, then put back.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace platform
