// The skinned buttons of the main window and the fixed rectangles of its frame.
#pragma once

struct SkinControl {
    int x, y, width, height; // negative x or y count back from the right or bottom edge
    int commandId;
    int latched; // nonzero: shown pressed whatever the mouse does (the mute button)
};

// A rectangle whose negative edges count back from a reference width or height.
struct EdgeRect {
    int left, top, right, bottom;
};

struct ResolvedRect {
    int left, top, right, bottom;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

// How the frame's bitmaps are cut: fixed end pieces, and a middle slice stretched between them.
constexpr int kCaptionEnd = 7;                                      // left piece, one stretched, right piece
constexpr int kPanelLeft = 190, kPanelSlice = 30, kPanelRight = 30; // the panel bitmap's three parts
// The panel's plain background behind the status text: x, y, width, height in the panel bitmap.
constexpr int kStatusBackground[4] = {182, 18, 38, 18};

constexpr int kControlCount = 10;
constexpr int kMuteRow = 5;

void fillControlTable(SkinControl (&table)[kControlCount], bool muted);
constexpr EdgeRect kSeekBarRect{7, -50, -7, -41};
constexpr EdgeRect kStatusTextRect{182, -32, -22, -14};

inline int resolveEdge(int value, int reference) {
    return value < 0 ? value + reference : value;
}
ResolvedRect resolveEdgeRect(const EdgeRect& r, int width, int height);
