// The video renderer: windowless VMR-7 into the display window, or the graph's own video window.
#pragma once
#include <windows.h>

extern int nativeWidth, nativeHeight;

HRESULT createVideoRenderer();
// A renderer whose input stayed unconnected (an audio-only file) is taken out of the graph again:
// left in, it breaks the graph's video interfaces.
void removeUnconnectedRenderer();
void updateVideoSize();
// The pointer over the picture hides or shows; a renderer window adopted later follows.
void hideVideoCursor(bool hidden);
