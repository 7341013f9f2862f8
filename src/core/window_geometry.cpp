#include "core/window_geometry.h"

#include <algorithm>

void limitWindowPosition(ProposedPosition& p, const FrameMetrics& frame, const ListLayout& list,
                         const Rect& workArea) {
    int smallestHeight = frame.captionHeight + frame.panelHeight + kClientMinHeight;
    p.cy = std::max(p.cy, smallestHeight);
    int smallestWidth =
        frame.leftBorder + frame.rightBorder +
        (list.resizing ? kListResizeMinWidth : kVideoMinWidth + (list.visible ? list.width : 0));
    if (p.cx < smallestWidth) {
        // Dragging the left edge past the limit neither shrinks nor shifts the window.
        p.cx = smallestWidth;
        p.noMove = true;
    }
    // Kept inside the work area, wherever the task bar leaves it.
    p.x = std::max(p.x, workArea.left);
    p.y = std::max(p.y, workArea.top);
    if (p.cx > workArea.right - workArea.left) {
        p.cx = workArea.right - workArea.left;
        p.x = workArea.left;
    } else if (p.x + p.cx > workArea.right) {
        p.x = workArea.right - p.cx;
    }
    if (p.cy > workArea.bottom - workArea.top) {
        p.cy = workArea.bottom - workArea.top;
        p.y = workArea.top;
    } else if (p.y + p.cy > workArea.bottom) {
        p.y = workArea.bottom - p.cy;
    }
}

bool fitWindowRect(Rect& window, ViewMode viewMode, int nativeWidth, int nativeHeight, int displayWidth,
                   int displayHeight) {
    int w = nativeWidth, h = nativeHeight;
    if (viewMode == ViewDouble) {
        w *= 2;
        h *= 2;
    } else if (viewMode == ViewHalf) {
        w /= 2;
        h /= 2;
    }
    w = std::max(w, kVideoMinWidth);
    h = std::max(h, 180);
    if (w == displayWidth && h == displayHeight)
        return false;
    int dx = (w - displayWidth) / 2, dy = (h - displayHeight) / 2;
    window = {window.left - dx, window.top - dy, window.right + dx, window.bottom + dy};
    return true;
}

int clampZoom(int percent) {
    return percent < kZoomMin ? kZoomMin : (percent > kZoomMax ? kZoomMax : percent);
}

Rect zoomHintRect(const Rect& d) {
    return {d.left + 16, d.top + 12, d.right - 16, d.top + 28};
}

std::u16string zoomHintText(int percent) {
    std::u16string text = u"缩放：";
    std::string digits = std::to_string(percent);
    text.append(digits.begin(), digits.end());
    return text + u"%";
}
