#pragma once
// Guards of the runtime's paint code: what one begins, selects or creates is
// ended, put back or deleted when it goes out of scope, however the code
// leaves it (an allocation that throws included). Objects and selections of
// their own are platform/handles.h's.

#include "platform/handles.h"

#include "platform/win32.h"

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

// A bitmap compatible with `screen`, selected into a memory device context
// of its own for the scope; drawn into, then copied once.
class OffScreen {
public:
    OffScreen(HDC screen, int width, int height)
        : dc_(CreateCompatibleDC(screen)), bitmap_(CreateCompatibleBitmap(screen, width, height)),
          selected_(dc_.Get(), bitmap_.Get()) {}

    HDC Dc() const { return dc_.Get(); }

private:
    // Let go in the reverse order: the bitmap put back out, deleted, then the DC.
    platform::MemoryDc dc_;
    platform::Bitmap bitmap_;
    platform::Selection selected_;
};

}  // namespace forms
