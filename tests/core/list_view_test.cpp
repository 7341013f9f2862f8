#include "core/list_view.h"

#include <gtest/gtest.h>

namespace {
TEST(ScrollGeometry, FittingListsHideTheBarAndTheLastPageIsFull) {
    // Height, entries and top row; bar shown, top row kept, thumb place and length (one row: arrows alone).
    const std::tuple<int, int, int, int, int, int, int> cases[] = {
        {84, 10, 4, 1, 4, 35, 32},        {84, 10, 0, 1, 0, 15, 32},
        {84, 6, 3, 0, 0, 0, 0},           {84, 5, 2, 0, 0, 0, 0},
        {10, 3, 1, 0, 0, 0, 0},           {84, 10, 9, 1, 4, 35, 32},
        {84, 10, 3, 1, 3, 30, 32},        {84, 7, 5, 1, 1, 22, 45},
        {84, 4096, 5000, 1, 4090, 61, 6}, {800, 10000000, 9999999, 1, 9999943, 777, 6},
        {20, 3, 1, 1, 1, 15, 6}};
    for (auto [h, count, from, shown, kept, thumbPos, thumbLen] : cases) {
        int top = from;
        ScrollGeometry g = updateScrollGeometry(h, 15, count, top);
        EXPECT_EQ(std::tuple(g.shown, top, g.thumbPos, g.thumbLen),
                  std::tuple(shown, kept, thumbPos, thumbLen))
            << h << "/" << count << " from " << from;
    }
}

TEST(ListView, EnsureVisibleBringsTheRowWhollyIntoView) {
    // 6 whole rows (list height 22 + 84 + 10): row 6 shows only its top 10 pixels. With no whole
    // row at all, the row goes to the top.
    const std::tuple<int, int, int, int, int> cases[] = {
        {2, 0, 116, 0, 0}, {5, 0, 116, 0, 0}, {6, 0, 116, 1, 1}, {7, 0, 116, 1, 2},
        {3, 5, 116, 1, 3}, {9, 0, 116, 1, 4}, {0, 0, 116, 0, 0}, {3, 0, 30, 1, 3}};
    for (auto [index, top, height, scrolled, newTop] : cases) {
        Visibility v = ensureVisible(index, top, height, 10);
        EXPECT_EQ(std::pair(v.scrolled, v.top), std::pair(scrolled, newTop)) << index << " from " << top;
    }
}

TEST(ListView, EveryKey) {
    constexpr unsigned kLetterA = 'A', kArrowLeft = 0x25; // keys that are no movement
    const std::tuple<unsigned, int, int> cases[] = {
        {kListKeyPageDown, 0, 6}, {kListKeyPageUp, 8, 2}, {kListKeyPageUp, 3, 0}, {kListKeyEnd, 2, 9},
        {kListKeyHome, 7, 0},     {kListKeyUp, 4, 3},     {kListKeyDown, 4, 5},   {kListKeyDown, 9, 9},
        {kListKeyPageDown, 7, 9}, {kLetterA, 4, 4},       {kArrowLeft, 4, 4},     {kListKeyEnter, 4, 4},
        {kLetterA, -1, 0},        {kListKeyUp, -1, 0}};
    for (auto [key, selected, target] : cases)
        EXPECT_EQ(listKeyTarget(key, selected, 10, 6), target) << key << " from " << selected;
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
    const std::pair<int, ScrollPart> parts[] = {{22, PartUp},    {37, PartUp},   {38, PartThumb},
                                                {69, PartThumb}, {70, PartNone}, {91, PartDown},
                                                {105, PartDown}};
    for (auto [y, part] : parts)
        EXPECT_EQ(scrollPartAt(y, 106, 15, g), part) << y;
    for (auto [row, count, top] : {std::tuple{12, 10, 9}, {-3, 10, 0}, {2, 0, 0}})
        EXPECT_EQ(clampTop(row, count), top) << row << " of " << count;
}
} // namespace
