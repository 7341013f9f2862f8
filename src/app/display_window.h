// The child window that shows the video.
#pragma once
#include <windows.h>

extern int zoomPercent;
extern RECT videoRect;
extern int displayWidth, displayHeight;
extern bool cursorHidden;

HWND createDisplayWindow(HINSTANCE instance);
void placeVideo();
void paintDisplayBackground();
void setZoom(int percent);
