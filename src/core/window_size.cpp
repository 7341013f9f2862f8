#include "core/window_size.h"

#include <algorithm>

int initialMainWidth(const FrameMetrics& frame, int playlistWidth, bool playlistVisible) {
    int width = frame.leftBorder + frame.rightBorder + kVideoMinWidth;
    if (playlistVisible)
        width += playlistWidth;
    return width;
}

int initialMainHeight(const FrameMetrics& frame) {
    return frame.captionHeight + frame.panelHeight + kClientMinHeight;
}

int centredOrigin(int screenExtent, int windowExtent) {
    return (screenExtent - windowExtent) / 2;
}

int sanePlaylistWidth(int stored, const FrameMetrics& frame, int screenWidth) {
    int widest = std::max(screenWidth - initialMainWidth(frame, 0, false), kPlaylistMinWidth);
    return std::clamp(stored, kPlaylistMinWidth, widest);
}
