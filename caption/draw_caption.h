#pragma once
// Paints the whole caption bar of the hooked window once: gradient, icon,
// title and caption buttons, composed in memoryDC, copied to windowDC in one
// BitBlt and then excluded from windowDC's clip region.

#include "platform/win32.h"

void DrawCaption(COLORREF startColor, COLORREF endColor);
