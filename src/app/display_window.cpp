#include "app/display_window.h"

#include "app/geometry.h"
#include "app/shell.h"
#include "core/command_ids.h"
#include "engine/media.h"
#include "engine/renderer.h"
#include "core/video_geometry.h"
#include "skin/skin.h"

int zoomPercent = 100;
RECT videoRect;
int displayWidth, displayHeight;
bool cursorHidden;

namespace {
void executeViewCommand(WORD command) {
    switch (command) {
    case CMD_VIEW_FULLSCREEN:
        setViewMode(kViewFullScreen);
        break;
    case CMD_ZOOM_50:
        setViewMode(3);
        break;
    case CMD_ZOOM_100:
        setViewMode(1);
        break;
    case CMD_ZOOM_200:
        setViewMode(2);
        break;
    default:
        break;
    }
}

LRESULT CALLBACK displayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        placeVideo();
        break;
    case WM_ERASEBKGND:
        paintDisplayBackground();
        return 1;
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
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
} // namespace

HWND createDisplayWindow(HINSTANCE instance) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = displayWindowProc;
    wc.hInstance = instance;
    wc.hCursor = arrowCursor;
    wc.hbrBackground = keyBrush;
    wc.lpszClassName = L"Zon Display";
    RegisterClassExW(&wc);
    return CreateWindowExW(0, L"Zon Display", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, mainWindow, nullptr,
                           instance, nullptr);
}

void placeVideo() {
    if (!media.videoWindow && !media.windowless)
        return;
    RECT client;
    GetClientRect(displayWindow, &client);
    Rect zoomed = zoomedVideoRect(client.right, client.bottom, zoomPercent);
    videoRect = {zoomed.left, zoomed.top, zoomed.right, zoomed.bottom};
    if (media.videoWindow) {
        Rect fit = fitVideoAspect(zoomed, nativeWidth, nativeHeight);
        media.videoWindow->SetWindowPosition(fit.left, fit.top, fit.right - fit.left, fit.bottom - fit.top);
    } else {
        media.windowless->SetVideoPosition(nullptr, &videoRect);
    }
    paintDisplayBackground();
}

void paintDisplayBackground() {
    HDC dc = GetDC(displayWindow);
    if (dc == nullptr)
        return;
    if (media.windowless) {
        media.windowless->RepaintVideo(displayWindow, dc);
        ExcludeClipRect(dc, videoRect.left, videoRect.top, videoRect.right, videoRect.bottom);
    } else if (media.videoWindow) {
        long left = 0, top = 0, width = 0, height = 0;
        if (SUCCEEDED(media.videoWindow->GetWindowPosition(&left, &top, &width, &height))) {
            POINT corner = {left, top};
            ScreenToClient(displayWindow, &corner);
            ExcludeClipRect(dc, corner.x, corner.y, corner.x + width, corner.y + height);
        }
    }
    RECT client;
    GetClientRect(displayWindow, &client);
    FillRect(dc, &client, keyBrush);
    ReleaseDC(displayWindow, dc);
}
