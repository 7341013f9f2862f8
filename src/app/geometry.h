// The main window's frame margins, sizing, the placement of its children and the view modes.
#pragma once
#include "core/window_geometry.h"

#include <windows.h>

extern ViewMode viewMode;
extern ViewMode savedViewMode; // the mode full screen returns to
extern bool resizingPlaylist;
extern int mainX, mainY, mainWidth, mainHeight;

inline bool inFullScreen() {
    return viewMode == ViewFullScreen;
}

// While held (the windows being made, the tray), the children are not laid out.
void holdLayout(bool held);
// The window's first place and size: from the settings file, else centred on the screen.
void placeMainWindow(int screenWidth, int screenHeight);
// A drag that starts on the right edge resizes the docked list, not the video.
void followListEdge(bool dragging);
void handleNcCalcSize(RECT* proposed);
void handleWindowPosChanging(WINDOWPOS* pos);
void handleWindowPosChanged(const WINDOWPOS* pos);
void handleMainSize(HWND window);
void layoutChildren();
void togglePlaylist();
void setViewMode(ViewMode mode);
void fitWindowToVideo();
