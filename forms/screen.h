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

}  // namespace forms
