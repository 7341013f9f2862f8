#include "app/display_window.h"

#include "app/geometry.h"
#include "app/shell.h"
#include "core/command_ids.h"
#include "core/video_geometry.h"
#include "core/window_geometry.h"
#include "engine/disc.h"
#include "engine/media.h"
#include "engine/renderer.h"
#include "engine/snapshot.h"
#include "win32/wide.h"
#include "skin/hint.h"
#include "skin/menu_bar.h"
#include "skin/skin.h"
#include "win32/guards.h"
#include "win32/rects.h"

#include <cstdlib>
#include <windowsx.h>

int zoomPercent = 100;
RECT videoRect;
RECT pictureRect; // the part of the display the picture covers
int displayWidth, displayHeight;
bool cursorHidden;

namespace {
constexpr UINT_PTR kCursorTimer = 100;
constexpr UINT kCursorDelay = 2000;
constexpr int kCursorSlack = 3; // a move of more than this many pixels shows the pointer again
int lastMouseX, lastMouseY;

void executeViewCommand(WORD command) {
    switch (command) {
    case CMD_FILE_SNAPSHOT:
        saveSnapshot();
        break;
    case CMD_ZOOM_OUT:
        setZoom(zoomPercent - kZoomStep);
        break;
    case CMD_ZOOM_IN:
        setZoom(zoomPercent + kZoomStep);
        break;
    case CMD_VIEW_FULLSCREEN:
        setViewMode(ViewFullScreen);
        break;
    case CMD_ZOOM_50:
        setViewMode(ViewHalf);
        break;
    case CMD_ZOOM_100:
        setViewMode(ViewNormal);
        break;
    case CMD_ZOOM_200:
        setViewMode(ViewDouble);
        break;
    default:
        break;
    }
}

void onMouseMove(HWND window, int x, int y) {
    if (cursorHidden &&
        (std::abs(x - lastMouseX) > kCursorSlack || std::abs(y - lastMouseY) > kCursorSlack)) {
        cursorHidden = false;
        SetCursor(arrowCursor);
        hideVideoCursor(false);
    }
    if (!cursorHidden) {
        KillTimer(window, kCursorTimer);
        SetTimer(window, kCursorTimer, kCursorDelay, nullptr);
    }
    lastMouseX = x;
    lastMouseY = y;
    pointAtDiscButton({x, y});
}

// The pointer hides after resting over the picture, never while a menu popup is open.
void onCursorTimer(HWND window) {
    KillTimer(window, kCursorTimer);
    if (menuOpenItem >= 0)
        return;
    POINT p;
    GetCursorPos(&p);
    HWND under = WindowFromPoint(p);
    if (under != window && !IsChild(window, under))
        return;
    cursorHidden = true;
    SetCursor(nullptr);
    hideVideoCursor(true);
}

LRESULT CALLBACK displayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        placeVideo();
        break;
    case WM_ERASEBKGND:
        return 1; // the paint fills what the picture leaves
    case WM_PAINT: {
        // Whether or not the background is to be erased: a paused picture of the windowless
        // renderer is drawn again only when asked.
        PAINTSTRUCT ps;
        BeginPaint(window, &ps);
        EndPaint(window, &ps);
        paintDisplayBackground();
        return 0;
    }
    case WM_SETCURSOR:
        if (cursorHidden) {
            SetCursor(nullptr);
            return 1;
        }
        break;
    case WM_WINDOWPOSCHANGED: {
        const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        displayWidth = pos->cx;
        displayHeight = pos->cy;
        break;
    }
    case WM_COMMAND:
        executeViewCommand(LOWORD(wParam));
        break;
    case WM_TIMER:
        onCursorTimer(window);
        break;
    case WM_MOUSEMOVE:
        onMouseMove(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_LBUTTONUP:
        pressDiscButton({lastMouseX, lastMouseY});
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
} // namespace

HWND createDisplayWindow(HINSTANCE instance) {
    registerPlayerClass(instance, L"Zon Display", CS_DBLCLKS, displayWindowProc, keyBrush);
    return CreateWindowExW(0, L"Zon Display", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, mainWindow, nullptr,
                           instance, nullptr);
}

void placeVideo() {
    if (!media.videoWindow && !media.windowless) {
        SetRectEmpty(&pictureRect);
        return;
    }
    RECT client;
    GetClientRect(displayWindow, &client);
    Rect zoomed = zoomedVideoRect(client.right, client.bottom, zoomPercent);
    videoRect = {zoomed.left, zoomed.top, zoomed.right, zoomed.bottom};
    Rect fit = fitVideoAspect(zoomed, nativeWidth, nativeHeight);
    RECT fitted = {fit.left, fit.top, fit.right, fit.bottom};
    pictureRect = media.windowless ? videoRect : fitted;
    placePicture(videoRect, fitted);
    paintDisplayBackground();
}

void paintDisplayBackground() {
    WindowDc dc(displayWindow);
    if (dc == nullptr)
        return;
    if (media.windowless || media.videoWindow) {
        if (media.windowless)
            repaintPicture();
        ExcludeClipRect(dc, pictureRect.left, pictureRect.top, pictureRect.right, pictureRect.bottom);
    }
    RECT client;
    GetClientRect(displayWindow, &client);
    FillRect(dc, &client, keyBrush);
}

void setZoom(int percent) {
    percent = clampZoom(percent);
    if (percent == zoomPercent)
        return;
    zoomPercent = percent;
    placeVideo();
    RECT rect = winRect(zoomHintRect(screenRectOf(displayWindow)));
    showTextHint(&rect, asWide(zoomHintText(percent).c_str()));
}
