#include "caption/caption_colors.h"

#include <cmath>
#include <cstddef>
#include <cstring>

void GetCaptionColors(int16_t isActive, COLORREF& startColor, COLORREF& endColor) {
    if (isActive != 0) {
        if (CaptionScheme.customColors != 0) {
            startColor = CaptionScheme.activeStartColor;
            endColor = CaptionScheme.activeEndColor;
        } else {
            startColor = 0;
            endColor = GetSysColor(COLOR_ACTIVECAPTION);
        }
    } else {
        if (CaptionScheme.customColors != 0) {
            startColor = CaptionScheme.inactiveStartColor;
            endColor = CaptionScheme.inactiveEndColor;
        } else {
            startColor = 0;
            endColor = GetSysColor(COLOR_INACTIVECAPTION);
        }
    }
}

void LoadCaptionFont() {
    // 340 bytes: the structure without the padded-border field, which every
    // Windows version accepts.
    constexpr UINT kNonClientMetricsSize = 340;
    constexpr size_t kCaptionFontOffset = 24;
    static_assert(sizeof(LOGFONTA) == 60, "the caption font description is 60 bytes");
    static_assert(offsetof(NONCLIENTMETRICSA, lfCaptionFont) == kCaptionFontOffset,
                  "the caption font follows the size and five metrics");
    static_assert(offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth) == kNonClientMetricsSize,
                  "the 340 bytes end where the padded-border field begins");
    alignas(NONCLIENTMETRICSA) unsigned char buffer[kNonClientMetricsSize] = {};
    std::memcpy(buffer, &kNonClientMetricsSize, sizeof kNonClientMetricsSize);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 0, buffer, 0);
    std::memcpy(&CaptionPaintState.captionLogFont, buffer + kCaptionFontOffset, sizeof(LOGFONTA));
}

namespace {

struct Channels {
    double red, green, blue;
};

Channels Split(COLORREF colour) {
    return {static_cast<double>(colour & 0xFF), static_cast<double>((colour >> 8) & 0xFF),
            static_cast<double>((colour >> 16) & 0xFF)};
}

double Clamp(double value) { return value > 255 ? 255 : value < 0 ? 0 : value; }

// Nearest integer, halves to the even neighbour (the default rounding mode).
COLORREF ToChannel(double value) { return static_cast<COLORREF>(std::nearbyint(value)); }

}  // namespace

bool BuildGradient(std::vector<COLORREF>& ramp, COLORREF startColor, COLORREF endColor) {
    if (ramp.size() < 2) return false;
    const double upperBound = static_cast<double>(ramp.size() - 1);
    const Channels start = Split(startColor);
    const Channels end = Split(endColor);
    const Channels step{(end.red - start.red) / upperBound, (end.green - start.green) / upperBound,
                        (end.blue - start.blue) / upperBound};
    Channels value = start;
    for (COLORREF& entry : ramp) {
        value.red = Clamp(value.red + step.red);
        value.green = Clamp(value.green + step.green);
        value.blue = Clamp(value.blue + step.blue);
        entry = ToChannel(value.red) + ToChannel(value.green) * 256 + ToChannel(value.blue) * 65536;
    }
    return true;
}
