// Rectangles between the platform's RECT and core's Rect, which share their four edges.
#pragma once
#include "core/video_geometry.h"

#include <windows.h>

inline Rect coreRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

inline RECT winRect(const Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// A window's rectangle on the screen.
inline Rect screenRectOf(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return coreRect(r);
}
