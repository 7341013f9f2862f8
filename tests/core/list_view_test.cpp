#include "core/list_view.h"

#include <gtest/gtest.h>

namespace {
TEST(ScrollGeometry, TheTenEntryExample) {
    int top = 4;
    ScrollGeometry g = updateScrollGeometry(84, 15, 10, top);
    EXPECT_TRUE(g.shown);
    EXPECT_EQ(g.thumbLen, 32);
    EXPECT_EQ(g.thumbPos, 35);
    top = 0;
    EXPECT_EQ(updateScrollGeometry(84, 15, 10, top).thumbPos, 15);
}

TEST(ScrollGeometry, FittingListsHideTheBarAndTheLastPageIsFull) {
    struct Case {
        int h, count, top;
        bool shown;
        int topAfter;
    } cases[] = {{84, 6, 3, false, 0},         {84, 5, 2, false, 0},
                 {10, 3, 1, false, 0},         {84, 10, 9, true, 4},
                 {84, 10, 3, true, 3},         {84, 7, 5, true, 1},
                 {84, 4096, 5000, true, 4090}, {800, 10000000, 9999999, true, 9999943}};
    for (const Case& c : cases) {
        int top = c.top;
        ScrollGeometry g = updateScrollGeometry(c.h, 15, c.count, top);
        EXPECT_EQ(g.shown, c.shown) << c.h << "/" << c.count;
        EXPECT_EQ(top, c.topAfter) << c.h << "/" << c.count;
        if (g.shown) {
            EXPECT_GE(g.thumbLen, 6);
            EXPECT_GE(g.thumbPos, 15);
            EXPECT_LE(g.thumbPos + g.thumbLen, c.h - 15) << "the thumb stays above the down button";
        }
    }
}

TEST(ListView, EnsureVisibleBringsTheRowWhollyIntoView) {
    // 6 whole rows (list height 22 + 84 + 10): row 6 shows only its top 10 pixels.
    struct Case {
        int index, top, scrolled, newTop;
    } cases[] = {{2, 0, 0, 0}, {5, 0, 0, 0}, {6, 0, 1, 1}, {7, 0, 1, 2},
                 {3, 5, 1, 3}, {9, 0, 1, 4}, {0, 0, 0, 0}};
    for (const Case& c : cases) {
        Visibility v = ensureVisible(c.index, c.top, 116, 10);
        EXPECT_EQ(v.scrolled, c.scrolled) << c.index << " from " << c.top;
        EXPECT_EQ(v.top, c.newTop) << c.index << " from " << c.top;
    }
    Visibility none = ensureVisible(3, 0, 30, 10);
    EXPECT_EQ(none.scrolled, 1) << "no whole row: the row goes to the top";
    EXPECT_EQ(none.top, 3);
}

TEST(ListView, EveryKey) {
    struct Case {
        const char* name;
        unsigned key;
        int selected, target;
    } cases[] = {
        {"page down from 0", kListKeyPageDown, 0, 6},
        {"page up", kListKeyPageUp, 8, 2},
        {"page up past the top", kListKeyPageUp, 3, 0},
        {"end", kListKeyEnd, 2, 9},
        {"home", kListKeyHome, 7, 0},
        {"up", kListKeyUp, 4, 3},
        {"down", kListKeyDown, 4, 5},
        {"down on the last row", kListKeyDown, 9, 9},
        {"page down past the end", kListKeyPageDown, 7, 9},
        {"a letter keeps the row", 'A', 4, 4},
        {"left keeps the row", 0x25, 4, 4},
        {"enter keeps the row", kListKeyEnter, 4, 4},
        {"any key with nothing selected", 'A', -1, 0},
        {"up with nothing selected", kListKeyUp, -1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(listKeyTarget(c.key, c.selected, 10, 6), c.target) << c.name;
    EXPECT_EQ(listKeyTarget('A', -1, 0, 6), 0) << "an empty list selects row 0 all the same";
}

TEST(ListView, ThumbToTopAndScrollParts) {
    // 10 entries, 6 rows, client height 106, thumb 32: the thumb's centre follows the pointer.
    EXPECT_EQ(thumbToTop(22 + 15 + 16, 106, 15, 10, 32), 0);
    EXPECT_EQ(thumbToTop(22 + 15 + 16 + 20, 106, 15, 10, 32), 4);
    EXPECT_EQ(thumbToTop(50, 200, 15, 10, 32), 0) << "everything fits";
    EXPECT_EQ(thumbToTop(50, 86, 15, 10, 32), 0) << "a thumb that fills the track cannot move";
    EXPECT_EQ(thumbToTop(54, 87, 15, 10, 32), 6) << "a track one pixel longer than the thumb";
    EXPECT_EQ(thumbToTop(200, 22 + 14 * 9, 15, 10, 10), 1) << "the last page";
    EXPECT_EQ(thumbToTop(125, 22 + 14 * 9, 15, 20, 10), 10) << "rows are counted down, not rounded";
    int top = 0;
    ScrollGeometry g = updateScrollGeometry(84, 15, 10, top);
    struct Case {
        int y;
        ScrollPart part;
    } cases[] = {{22, PartUp},   {37, PartUp},   {38, PartThumb}, {69, PartThumb},
                 {70, PartNone}, {91, PartDown}, {105, PartDown}};
    for (const Case& c : cases)
        EXPECT_EQ(scrollPartAt(c.y, 106, 15, g), c.part) << c.y;
    EXPECT_EQ(clampTop(12, 10), 9);
    EXPECT_EQ(clampTop(-3, 10), 0);
    EXPECT_EQ(clampTop(2, 0), 0);
}
} // namespace
