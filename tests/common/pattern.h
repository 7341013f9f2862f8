// The pattern clip's picture: red beside green above eight columns that are the bits of its frame
// number, read through `at(x, y)`, the colour at a point given in fractions of the picture's size.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdlib>

struct Pattern {
    int frame = -1;
    bool colours = false; // red beside green in the upper half
};

// Coded and scaled, the pattern's colours stay within this of what was drawn.
inline bool resembles(COLORREF c, COLORREF drawn) {
    return std::max({std::abs(GetRValue(c) - GetRValue(drawn)), std::abs(GetGValue(c) - GetGValue(drawn)),
                     std::abs(GetBValue(c) - GetBValue(drawn))}) < 60;
}

template <class At> Pattern patternIn(At at) {
    Pattern p{0, resembles(at(0.25, 0.25), RGB(255, 0, 0)) && resembles(at(0.75, 0.25), RGB(0, 255, 0))};
    for (int bit = 0; bit < 8; ++bit)
        p.frame |= GetGValue(at((bit + 0.5) / 8, 0.75)) > 128 ? 1 << bit : 0;
    return p;
}
