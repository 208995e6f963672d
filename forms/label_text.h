#pragma once
// One line of label text, shaped and measured by Uniscribe so that the
// alignment is computed on the width actually drawn (Arabic joining makes a
// caption much narrower than its letters' isolated forms).

#include "forms/description.h"

#include "platform/win32.h"

#include <string>

namespace forms {

// Draws `text` in the font and colour selected into `dc`, centred vertically
// in `area` and aligned horizontally as `alignment` (DT_LEFT, DT_CENTER or
// DT_RIGHT) says, a pixel in from the edge it is aligned to, clipped to
// `area`. A text wider than `area` is drawn in a smaller size of the font,
// so that all of it shows.
void DrawLabelText(HDC dc, const std::wstring& text, const RECT& area, UINT alignment, bool rightToLeft);

}  // namespace forms
