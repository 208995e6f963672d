#include "caption/caption_state.h"

CaptionSchemeRecord CaptionScheme{};
CaptionPaintStateRecord CaptionPaintState{};
