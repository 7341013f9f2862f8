// The skinned vertical scroll bar of the docked list.
#pragma once
#include "core/list_view.h"

#include <windows.h>

// Copies a 15 x 15 cell of the scroll-bar bitmap to (0, y), leaving its magenta pixels out.
void drawGlyph(HDC target, int y, int sourceRow);
// Paints the bar into the rectangle: buttons, track, thumb (top from the bar's top) and grip.
void drawScrollBar(HDC target, int left, int top, int right, int bottom, int thumbTop, int thumbLength,
                   ScrollPart hot, ScrollPart pressed);
