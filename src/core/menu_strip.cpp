#include "core/menu_strip.h"

int layoutMenuStrip(const int* textWidths, int count, int stripWidth, MenuBox* boxes) {
    int left = 1;
    for (int i = 0; i < count; ++i) {
        int right = left + textWidths[i] + 4;
        if (right > stripWidth)
            return i;
        boxes[i] = {left, right};
        left = right;
    }
    return count;
}

int menuItemAtPoint(const int* textWidths, int count, int left, int top, int right, int x, int y,
                    int* anchorLeft) {
    if (y < top || y > top + kMenuAnchorDrop)
        return -1;
    int start = left + 1;
    for (int i = 0; i < count; ++i) {
        int end = start + textWidths[i] + 4;
        if (x >= start && x <= end) {
            *anchorLeft = start;
            return i;
        }
        if (end > right)
            break;
        start = end;
    }
    return -1;
}
