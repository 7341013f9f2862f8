#include "core/list_view.h"

#include <algorithm>

ScrollGeometry updateScrollGeometry(int h, int w, int count, int& top) {
    int rows = rowsIn(h);
    if (rows <= 0 || rows >= count) {
        top = 0;
        return {false, 0, 0};
    }
    if (top + rows >= count)
        top = count - rows;
    // Products in 64 bits: lists may be long.
    long long track = h - 2 * w - 2;
    int thumbLen = static_cast<int>(track - (count - rows) * track / count);
    if (thumbLen < 6)
        thumbLen = 6;
    int thumbPos = w + static_cast<int>((track - thumbLen) * top / (count - rows));
    if (thumbPos < w)
        thumbPos = w;
    return {true, thumbPos, thumbLen};
}

int clampTop(int row, int count) {
    if (row >= count)
        row = count - 1;
    return row < 0 ? 0 : row;
}

int thumbToTop(int y, int clientHeight, int w, int count, int thumbLen) {
    int h = clientHeight - kListTop;
    int rows = rowsIn(h);
    if (rows >= count)
        return 0;
    int span = h - 2 * w - thumbLen - 2;
    if (span <= 0)
        return 0;
    return static_cast<int>(static_cast<long long>(y - thumbLen / 2 - w - kListTop) * (count - rows) / span);
}

Visibility ensureVisible(int index, int top, int listHeight, int count) {
    if (index < top)
        return {1, clampTop(index, count)};
    int rows = (listHeight - kListTop) / kRowHeight;
    if (index < top + rows)
        return {0, top};
    // The row becomes the last whole row; with no whole row at all, the first.
    return {1, clampTop(index - std::max(rows, 1) + 1, count)};
}

ScrollPart scrollPartAt(int y, int clientHeight, int w, const ScrollGeometry& g) {
    int yy = y - kListTop, hh = clientHeight - kListTop;
    if (yy <= w)
        return PartUp;
    if (yy >= hh - w)
        return PartDown;
    if (g.thumbPos <= yy && yy <= g.thumbPos + g.thumbLen)
        return PartThumb;
    return PartNone;
}

int listKeyTarget(unsigned key, int selected, int count, int rows) {
    int target = selected;
    switch (key) {
    case kListKeyPageUp:
        target = selected - rows;
        break;
    case kListKeyPageDown:
        target = selected + rows;
        break;
    case kListKeyEnd:
        target = count - 1;
        break;
    case kListKeyHome:
        target = 0;
        break;
    case kListKeyUp:
        target = selected - 1;
        break;
    case kListKeyDown:
        target = selected + 1;
        break;
    default:
        break;
    }
    if (target < 0)
        target = 0;
    else if (target >= count)
        target = count - 1;
    return target;
}
