#pragma once
// The small computations behind the painted caption: its two gradient
// colours, the system caption font, and the colour of every gradient band.

#include "caption/caption_state.h"

#include <vector>

// The gradient's end colours for an active (nonzero) or inactive window, from
// CaptionScheme or, without custom colours, from the system caption colour.
void GetCaptionColors(int16_t isActive, COLORREF& startColor, COLORREF& endColor);

// Captures the system's caption font description into captionLogFont.
void LoadCaptionFont();

// Fills every entry of `ramp` (upper bound n = size - 1) with the colour of
// one band, each one step of (end - start) / n past the one before, entry 0
// already one step past the start. With an upper bound of 0 there is no step:
// the ramp is left as it was and false is returned.
bool BuildGradient(std::vector<COLORREF>& ramp, COLORREF startColor, COLORREF endColor);
