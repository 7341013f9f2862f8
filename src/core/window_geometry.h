// The main window's sizing limits, its fit to the video, and the zoom hint.
#pragma once
#include "core/video_geometry.h"
#include "core/window_size.h"

#include <string>

// How the picture is sized: its own size, twice, half, or the whole screen (4 is never used).
enum ViewMode : int { ViewNormal = 1, ViewDouble = 2, ViewHalf = 3, ViewFullScreen = 5 };

struct ProposedPosition {
    int x, y, cx, cy;
    bool noMove; // set when the change must not move the window
};

struct ListLayout {
    int width;
    bool visible;
    bool resizing; // the right edge is being dragged and resizes the list
};

constexpr int kListResizeMinWidth = 420; // 320 of video and 100 of list

// Limits a proposed position and size of the (not full-screen) main window: the smallest client
// area, and the work area of the primary monitor.
void limitWindowPosition(ProposedPosition& p, const FrameMetrics& frame, const ListLayout& list,
                         const Rect& workArea);

// The window rectangle that shows the video at the view mode's size (1 = 100 %, 2 = 200 %,
// 3 = 50 %), keeping the window's centre. Returns false when the display already has that size.
bool fitWindowRect(Rect& window, ViewMode viewMode, int nativeWidth, int nativeHeight, int displayWidth,
                   int displayHeight);

constexpr int kZoomMin = 5, kZoomMax = 400, kZoomStep = 5;
int clampZoom(int percent);
// The zoom hint: 16 pixels in from the display's sides, 12 to 28 pixels below its top.
Rect zoomHintRect(const Rect& displayScreen);
std::u16string zoomHintText(int percent);
