#include "app/geometry.h"
#include "win32/settings_file.h"

#include "app/display_window.h"
#include "app/shell.h"
#include "core/transport_math.h"
#include "core/window_geometry.h"
#include "core/window_size.h"
#include "engine/media.h"
#include "engine/renderer.h"
#include "skin/frame.h"
#include "skin/seek_bar.h"
#include "skin/hint.h"
#include "skin/skin.h"
#include "win32/guards.h"
#include "win32/rects.h"

int mainX, mainY, mainWidth, mainHeight;
ViewMode viewMode = ViewNormal;
ViewMode savedViewMode = ViewNormal;
bool resizingPlaylist;

namespace {
// Set while the windows are being made or go to the tray and back: no layout meanwhile.
bool layoutHeld = true;
} // namespace

void holdLayout(bool held) {
    layoutHeld = held;
}

void placeMainWindow(int screenWidth, int screenHeight) {
    mainWidth = initialMainWidth(frameMetrics, playlistWidth, playlistVisible);
    mainHeight = initialMainHeight(frameMetrics);
    mainX = readSetting(kWindowLeft, centredOrigin(screenWidth, mainWidth));
    mainY = readSetting(kWindowTop, centredOrigin(screenHeight, mainHeight));
}

void followListEdge(bool dragging) {
    resizingPlaylist = dragging;
}

void handleNcCalcSize(RECT* proposed) {
    if (inFullScreen())
        return;
    proposed->left += frameMetrics.leftBorder;
    proposed->top += frameMetrics.captionHeight;
    proposed->right -= frameMetrics.rightBorder;
    proposed->bottom -= frameMetrics.panelHeight;
}

void handleWindowPosChanging(WINDOWPOS* pos) {
    if (inFullScreen())
        return;
    bool keepSize = (pos->flags & SWP_NOSIZE) != 0, keepPlace = (pos->flags & SWP_NOMOVE) != 0;
    if (keepSize && keepPlace)
        return;
    RECT work = {}, now = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(pos->hwnd, &now);
    // What the change leaves as it is comes from the window, not from the fields it ignores.
    ProposedPosition p = {keepPlace ? now.left : pos->x, keepPlace ? now.top : pos->y,
                          keepSize ? now.right - now.left : pos->cx,
                          keepSize ? now.bottom - now.top : pos->cy, false};
    limitWindowPosition(p, frameMetrics, {playlistWidth, playlistVisible, resizingPlaylist}, coreRect(work));
    if (!keepPlace) {
        pos->x = p.x;
        pos->y = p.y;
    }
    if (!keepSize) {
        pos->cx = p.cx;
        pos->cy = p.cy;
        if (p.noMove)
            pos->flags |= SWP_NOMOVE;
    }
}

void handleWindowPosChanged(const WINDOWPOS* pos) {
    mainX = pos->x;
    mainY = pos->y;
    mainWidth = pos->cx;
    mainHeight = pos->cy;
    keepSeekProgressShare();
    if (resizingPlaylist && playlistWindow != nullptr) {
        // The list keeps its left edge while the right edge of the window moves.
        RECT client, list;
        GetClientRect(mainWindow, &client);
        GetWindowRect(playlistWindow, &list);
        MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&list), 2);
        int left = list.left, width = client.right - left;
        if (width < kPlaylistMinWidth) {
            left = client.right - kPlaylistMinWidth;
            width = kPlaylistMinWidth;
        }
        SetWindowPos(playlistWindow, nullptr, left, 0, width, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// The window is given, not taken from mainWindow: the first size message arrives while the
// window is still being created.
void handleMainSize(HWND window) {
    layoutChildren();
    if (inFullScreen()) {
        SetWindowRgn(window, nullptr, TRUE);
        return;
    }
    RECT r;
    GetWindowRect(window, &r);
    GdiObject<HRGN> region(CreateRoundRectRgn(0, 0, r.right - r.left + 1, r.bottom - r.top + 1, 11, 11));
    if (SetWindowRgn(window, region, TRUE) != 0)
        region.release(); // the window owns it from here on
}

void layoutChildren() {
    if (layoutHeld)
        return;
    layoutHeld = true;
    RECT r;
    GetClientRect(mainWindow, &r);
    if (playlistVisible && playlistWindow != nullptr) {
        if (inFullScreen()) {
            ShowWindow(playlistWindow, SW_HIDE);
        } else {
            r.right -= playlistWidth;
            SetWindowPos(playlistWindow, nullptr, r.right, 0, playlistWidth, r.bottom,
                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        }
    }
    if (displayWindow != nullptr) {
        int top = inFullScreen() ? 0 : kMenuBarHeight;
        SetWindowPos(displayWindow, nullptr, 0, top, r.right, r.bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
        hideHint();
    }
    layoutHeld = false;
}

void togglePlaylist() {
    setPlaylistVisible(!playlistVisible);
    int width = playlistVisible ? mainWidth + playlistWidth : mainWidth - playlistWidth;
    SetWindowPos(mainWindow, nullptr, 0, 0, width, mainHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(playlistWindow, playlistVisible ? SW_SHOW : SW_HIDE);
}

void setViewMode(ViewMode mode) {
    if (mode == viewMode) {
        if (mode != ViewFullScreen)
            return;
        mode = savedViewMode;
    } else if (mode == ViewFullScreen) {
        savedViewMode = viewMode;
    }
    viewMode = mode;
    showFrame(!inFullScreen());
    if (inFullScreen()) {
        ShowWindow(mainWindow, SW_SHOWMAXIMIZED);
        placeVideo();
    } else {
        ShowWindow(mainWindow, SW_SHOWNORMAL);
        fitWindowToVideo();
    }
}

void fitWindowToVideo() {
    Rect window = screenRectOf(mainWindow);
    if (!inFullScreen() &&
        fitWindowRect(window, viewMode, nativeWidth, nativeHeight, displayWidth, displayHeight)) {
        resizingPlaylist = false;
        SetWindowPos(mainWindow, nullptr, window.left, window.top, window.right - window.left,
                     window.bottom - window.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    placeVideo();
}
