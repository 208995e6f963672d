#pragma once
// Guards of the runtime's paint code: what one begins, selects or creates is
// ended, put back or deleted when it goes out of scope, however the code
// leaves it (an allocation that throws included).

#include <windows.h>

namespace forms {

// BeginPaint and its EndPaint: a paint that is never ended would leave the
// window invalid, to be painted again and again.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC Dc() const { return dc_; }
    const RECT& Invalid() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_;
    HDC dc_;
};

// An object selected into a device context for the scope, then put back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A bitmap compatible with `screen`, selected into a memory device context
// of its own for the scope; drawn into, then copied once.
class OffScreen {
public:
    OffScreen(HDC screen, int width, int height)
        : dc_(CreateCompatibleDC(screen)), bitmap_(CreateCompatibleBitmap(screen, width, height)),
          previous_(SelectObject(dc_, bitmap_)) {}
    ~OffScreen() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    OffScreen(const OffScreen&) = delete;
    OffScreen& operator=(const OffScreen&) = delete;

    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

}  // namespace forms
