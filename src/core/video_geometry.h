// Where the picture goes inside the display window.
#pragma once

struct Rect {
    int left, top, right, bottom;
    bool operator==(const Rect&) const = default;
};

// The display's client rectangle grown (or shrunk) evenly around its centre for a zoom percent.
Rect zoomedVideoRect(int width, int height, int zoomPercent);

// The native aspect fitted into `area` for a renderer that does not letterbox by itself: returned
// as left, top, right, bottom of the video window.
Rect fitVideoAspect(const Rect& area, int nativeWidth, int nativeHeight);
