// The docked list's arithmetic: rows, scrolling, the scroll bar and the keys.
#pragma once

constexpr int kListTop = 22; // the menu strip above the rows
constexpr int kRowHeight = 14;

struct ScrollGeometry {
    bool shown;
    int thumbPos; // from the top of the list area
    int thumbLen;
};

// Whole rows in a list area `height` pixels high.
inline int rowsIn(int height) {
    return height / kRowHeight;
}

// The scroll bar for `count` entries in a list area h high with bars w wide. Pulls `top` back so
// that the last page is always full, and to 0 when everything fits.
ScrollGeometry updateScrollGeometry(int h, int w, int count, int& top);

// A first visible row kept within the list (0 for an empty list).
int clampTop(int row, int count);

// The first visible row that centres the thumb on a pointer at client y.
int thumbToTop(int y, int clientHeight, int w, int count, int thumbLen);

// EnsureVisible: the new first row for showing `index`, and whether it took scrolling (1) or the
// row was already in view (0). Only whole rows count as in view.
struct Visibility {
    int scrolled;
    int top;
};
Visibility ensureVisible(int index, int top, int listHeight, int count);

enum ScrollPart { PartNone = 0, PartThumb = 1, PartUp = 2, PartDown = 3 };
// The scroll-bar part at client y (the bar starts below the menu strip).
ScrollPart scrollPartAt(int y, int clientHeight, int w, const ScrollGeometry& g);

// Virtual-key codes of the list's keys.
constexpr unsigned kListKeyEnter = 0x0D, kListKeyPageUp = 0x21, kListKeyPageDown = 0x22, kListKeyEnd = 0x23,
                   kListKeyHome = 0x24, kListKeyUp = 0x26, kListKeyDown = 0x28;

// The row a key selects from `selected` with `rows` whole rows in view, kept within the list.
int listKeyTarget(unsigned key, int selected, int count, int rows);
