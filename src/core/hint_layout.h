// Where the volume hint sits over the video, and its thirty bars.
#pragma once
#include "core/video_geometry.h"

#include <vector>

// The hint's screen rectangle over a display window's screen rectangle.
Rect volumeHintRect(const Rect& display);

struct VolumeBars {
    std::vector<Rect> lit;   // full-height bars, left and top included, right and bottom excluded
    std::vector<Rect> unlit; // small centred dots for the rest
};

// The bars for a client area of cw x ch at `percent` (-1 when the level is unknown: all dots).
VolumeBars volumeBars(int cw, int ch, int percent);
