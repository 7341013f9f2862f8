// The main window's size at creation, from the skin's frame and the list settings.
#pragma once

struct FrameMetrics {
    int captionHeight;
    int panelHeight;
    int leftBorder;
    int rightBorder;
};

constexpr int kVideoMinWidth = 320;
constexpr int kClientMinHeight = 202;
constexpr int kMenuBarHeight = 22;
constexpr int kDefaultPlaylistWidth = 228;
constexpr int kPlaylistMinWidth = 100;

int initialMainWidth(const FrameMetrics& frame, int playlistWidth, bool playlistVisible);
int initialMainHeight(const FrameMetrics& frame);
// The coordinate that centres an extent on the screen, halving toward zero.
int centredOrigin(int screenExtent, int windowExtent);
// A list width read from the settings file, kept within what the window can show: never narrower
// than the list's own minimum, never so wide that the window could not fit on the screen.
int sanePlaylistWidth(int stored, const FrameMetrics& frame, int screenWidth);
