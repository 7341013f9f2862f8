#include "skin/scroll_bar.h"

#include "skin/skin.h"
#include "win32/guards.h"

namespace {
constexpr int kCell = 15;
constexpr int kUpGlyph = 6 * kCell, kDownGlyph = 7 * kCell, kTrack = 4 * kCell, kGrip = 14 * kCell;
constexpr DWORD kKeepWhereMaskIsSet = 0xCCAA0029; // mask 1: destination stays; mask 0: source copied

int faceRow(ScrollPart part, ScrollPart hot, ScrollPart pressed) {
    if (part != hot)
        return 0;
    return part == pressed ? 2 * kCell : kCell;
}
} // namespace

void drawGlyph(HDC target, int y, int sourceRow) {
    // The mask must not be selected anywhere while MaskBlt uses it: a stand-in takes its place.
    GdiObject<HBITMAP> stand(CreateCompatibleBitmap(skinScrollBar.dc, 1, 1));
    Selection away(glyphMaskDc, stand);
    MaskBlt(target, 0, y, kCell, kCell, skinScrollBar.dc, 0, sourceRow, glyphMask, 0, sourceRow,
            kKeepWhereMaskIsSet);
}

void drawScrollBar(HDC target, int left, int top, int right, int bottom, int thumbTop, int thumbLength,
                   ScrollPart hot, ScrollPart pressed) {
    int h = bottom - top;
    if (h <= 0)
        return;
    OffScreen dc(target, kCell, h);
    SetStretchBltMode(dc, COLORONCOLOR);
    HDC cells = skinScrollBar.dc;
    BitBlt(dc, 0, 0, kCell, kCell, cells, 0, faceRow(PartUp, hot, pressed), SRCCOPY);
    drawGlyph(dc, 0, kUpGlyph);
    StretchBlt(dc, 0, kCell, kCell, h - 2 * kCell, cells, 0, kTrack, kCell, kCell, SRCCOPY);
    BitBlt(dc, 0, h - kCell, kCell, kCell, cells, 0, faceRow(PartDown, hot, pressed), SRCCOPY);
    drawGlyph(dc, h - kCell, kDownGlyph);
    int s = faceRow(PartThumb, hot, pressed);
    BitBlt(dc, 0, thumbTop, kCell, 3, cells, 0, s, SRCCOPY);
    BitBlt(dc, 0, thumbTop + thumbLength - 3, kCell, 5, cells, 0, s + 10, SRCCOPY);
    if (thumbLength > 6) {
        StretchBlt(dc, 0, thumbTop + 3, kCell, thumbLength - 6, cells, 0, s + 3, kCell, 3, SRCCOPY);
        if (thumbLength >= kCell)
            drawGlyph(dc, thumbTop + (thumbLength - kCell) / 2, kGrip);
    }
    BitBlt(target, left, top, right - left, h, dc, 0, 0, SRCCOPY);
}
