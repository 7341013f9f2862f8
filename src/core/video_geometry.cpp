#include "core/video_geometry.h"

Rect zoomedVideoRect(int width, int height, int zoomPercent) {
    if (zoomPercent == 100)
        return {0, 0, width, height};
    int dx = (zoomPercent * width / 100 - width) / 2;
    int dy = (zoomPercent * height / 100 - height) / 2;
    return {-dx, -dy, width + dx, height + dy};
}

Rect fitVideoAspect(const Rect& area, int nativeWidth, int nativeHeight) {
    int w = area.right - area.left;
    int h = area.bottom - area.top;
    if (nativeWidth <= 0 || nativeHeight <= 0)
        return area;
    int fittedH = static_cast<int>(static_cast<long long>(nativeHeight) * w / nativeWidth);
    if (area.top + fittedH > area.bottom) {
        int fittedW = static_cast<int>(static_cast<long long>(nativeWidth) * h / nativeHeight);
        int left = area.left + (w - fittedW) / 2;
        return {left, area.top, left + fittedW, area.top + h};
    }
    int top = area.top + (h - fittedH) / 2;
    return {area.left, top, area.left + w, top + fittedH};
}
