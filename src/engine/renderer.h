// The video renderer: windowless VMR-7 into the display window, or the graph's own video window.
// The renderer lives on the medium's session; the window's thread places and repaints the picture
// through it.
#pragma once
#include "engine/media_context.h"

#include <windows.h>

struct OpenedFacts;

extern int nativeWidth, nativeHeight;

// On the window's thread: the picture's place in the display window (the zoomed area, and the
// part of it the renderer's own window takes), a repaint, the display's new mode, the pointer.
void placePicture(const RECT& area, const RECT& fitted);
void repaintPicture();
void displayModeChanged();
// The pointer over the picture hides or shows; a renderer window adopted later follows.
void hideVideoCursor(bool hidden);

// On the session's thread.
HRESULT createVideoRenderer(MediaContext& m);
// A renderer whose input stayed unconnected (an audio-only file) is taken out of the graph again:
// left in, it breaks the graph's video interfaces.
void removeUnconnectedRenderer(MediaContext& m);
// The native size and which renderer shows it; a renderer window becomes the display window's child.
void updateVideoSize(MediaContext& m, bool cursorHidden, OpenedFacts& facts);
