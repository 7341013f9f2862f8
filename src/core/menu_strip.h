// Geometry of a skinned menu-bar strip: item boxes laid out from their text widths.
#pragma once

constexpr int kMenuStripHeight = 22;
constexpr int kMenuBoxBottom = 18;
constexpr int kMenuAnchorDrop = 19;

struct MenuBox {
    int left, right;
};

// Lays the items out from x = 1 (relative to the strip), each text width + 4 wide. Returns how many
// fit inside the strip's width; only those are drawn.
int layoutMenuStrip(const int* textWidths, int count, int stripWidth, MenuBox* boxes);

// The item under a client point of a strip at (left, top)-(right, ...), or -1. Rows top to top + 19
// hit; an item that does not fit is still hit on its part inside the strip. `anchorLeft` receives
// the hit item's left edge.
int menuItemAtPoint(const int* textWidths, int count, int left, int top, int right, int x, int y,
                    int* anchorLeft);
