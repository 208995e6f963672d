#pragma once
// The screen as the forms runtime measures it: in twips, the unit of every
// form and control position.

namespace forms {

struct ScreenMetrics {
    float twipsPerPixelX;
    float twipsPerPixelY;
    float width;   // twips
    float height;  // twips
};

// The screen as it stands: its DPI on each axis and its size.
ScreenMetrics Screen();

}  // namespace forms
