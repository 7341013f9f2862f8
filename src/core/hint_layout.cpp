#include "core/hint_layout.h"

#include <algorithm>

Rect volumeHintRect(const Rect& d) {
    int w = d.right - d.left;
    int margin = (w / 15) * 2;
    int cx = std::max(0, (w - margin) / 30 * 30);
    int cy = std::clamp(cx / 30 + 6, 12, 30);
    int x = d.left + (w - cx) / 2;
    int y = d.bottom - 2 * cy;
    return {x, y, x + cx, y + cy};
}

VolumeBars volumeBars(int cw, int ch, int percent) {
    VolumeBars bars;
    int step = cw / 30;
    if (step <= 0)
        return bars; // a hint too narrow for a single bar draws nothing
    int seg = step >= 20 ? 3 : 2;
    int lit = std::max(0, percent * cw / 100 / step);
    for (int k = 0; k < lit; ++k)
        bars.lit.push_back({k * step, 0, k * step + seg, ch});
    int d = (ch - seg) / 2;
    for (int k = lit; k * step + seg <= cw; ++k)
        bars.unlit.push_back({k * step, d, k * step + seg, ch - d});
    return bars;
}
