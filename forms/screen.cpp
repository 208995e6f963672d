#include "forms/screen.h"

#include "forms/layout.h"
#include "platform/win32.h"

namespace forms {
namespace {

int ScreenDpi(int axis) {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, axis);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

ScreenMetrics Screen() {
    float twipsPerPixelX = static_cast<float>(kTwipsPerInch) / static_cast<float>(ScreenDpi(LOGPIXELSX));
    float twipsPerPixelY = static_cast<float>(kTwipsPerInch) / static_cast<float>(ScreenDpi(LOGPIXELSY));
    return ScreenMetrics{twipsPerPixelX, twipsPerPixelY,
                         static_cast<float>(GetSystemMetrics(SM_CXSCREEN)) * twipsPerPixelX,
                         static_cast<float>(GetSystemMetrics(SM_CYSCREEN)) * twipsPerPixelY};
}

}  // namespace forms
