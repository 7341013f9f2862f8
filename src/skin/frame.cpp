#include "skin/frame.h"

#include "app/geometry.h"
#include "app/shell.h"
#include "core/command_ids.h"
#include "core/format_time.h"
#include "core/transport_math.h"
#include "engine/transport.h"
#include "skin/hint.h"
#include "skin/menu_bar.h"
#include "engine/media.h"
#include "playlist/playlist.h"
#include "skin/skin.h"

wchar_t statusText[128];
int displayedSeconds;
int seekProgress;
int seekHover;
int hotControl = -1, pressedControl = -1;

namespace {
constexpr UINT kHoverPeriod = 200;
constexpr LONGLONG kUnitsPerSecond = 10000000;
constexpr COLORREF kCaptionColour = RGB(0, 102, 187);
constexpr COLORREF kTimeColour = RGB(0, 51, 204);
constexpr COLORREF kPreviewColour = RGB(0, 102, 187);

// A memory context with a bitmap of its own, for composing off-screen.
struct OffScreen {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    OffScreen(HDC target, int w, int h)
        : dc(CreateCompatibleDC(target)), bitmap(CreateCompatibleBitmap(target, w, h)),
          previous(SelectObject(dc, bitmap)) {}
    ~OffScreen() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    OffScreen(const OffScreen&) = delete;
    OffScreen& operator=(const OffScreen&) = delete;
};

void blitControl(HDC dc, int x, int y, int spriteColumn, int row, const SkinControl& c, const SkinState& s) {
    int image = controlImage(row, c, s);
    BitBlt(dc, x, y, c.width, c.height, skinButtons.dc, spriteColumn, image * c.height, SRCCOPY);
}

int windowWidth(HWND window, int* height) {
    RECT r;
    GetWindowRect(window, &r);
    *height = r.bottom - r.top;
    return r.right - r.left;
}
} // namespace

SkinState currentSkinState() {
    return {playbackState, activeList->count(), activeList->current, loopFlag, hotControl, pressedControl};
}

void drawFrame(HWND window) {
    if (inFullScreen())
        return;
    int h;
    int w = windowWidth(window, &h);
    int caption = frameMetrics.captionHeight, panel = frameMetrics.panelHeight;
    HDC dc = GetWindowDC(window);
    if (dc == nullptr)
        return;
    {
        OffScreen top(dc, w, caption);
        OffScreen bottom(dc, w, panel);
        SetStretchBltMode(top.dc, COLORONCOLOR);
        SetStretchBltMode(bottom.dc, COLORONCOLOR);
        BitBlt(top.dc, 0, 0, 7, caption, skinCaption.dc, 0, 0, SRCCOPY);
        StretchBlt(top.dc, 7, 0, w - 14, caption, skinCaption.dc, 7, 0, 7, caption, SRCCOPY);
        BitBlt(top.dc, w - 7, 0, 7, caption, skinCaption.dc, 14, 0, SRCCOPY);
        SetTextColor(top.dc, kCaptionColour);
        SetBkMode(top.dc, TRANSPARENT);
        BitBlt(bottom.dc, 0, 0, 190, panel, skinPanel.dc, 0, 0, SRCCOPY);
        StretchBlt(bottom.dc, 190, 0, w - 220, panel, skinPanel.dc, 190, 0, 30, panel, SRCCOPY);
        BitBlt(bottom.dc, w - 30, 0, 30, panel, skinPanel.dc, 220, 0, SRCCOPY);
        drawStatusText(bottom.dc, w, panel, displayedSeconds, statusText);
        drawSeekBar(bottom.dc, w, panel);
        RECT captionRect = {7, 0, w, caption};
        DrawTextW(top.dc, captionText, -1, &captionRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
        SkinState s = currentSkinState();
        int column = 0;
        for (int row = 0; row < kControlCount; ++row) {
            const SkinControl& c = controlTable[row];
            if (isControlVisible(c, s)) {
                int x = resolveEdge(c.x, w);
                if (c.y < 0)
                    blitControl(bottom.dc, x, c.y + panel, column, row, c, s);
                else if (c.y + c.height < caption)
                    blitControl(top.dc, x, c.y, column, row, c, s);
            }
            column += c.width;
        }
        BitBlt(dc, 0, 0, w, caption, top.dc, 0, 0, SRCCOPY);
        BitBlt(dc, 0, h - panel, w, panel, bottom.dc, 0, 0, SRCCOPY);
    }
    int side = h - caption - panel;
    int half = skinBorders.width / 2;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, caption, half, side, skinBorders.dc, 0, 0, half, skinBorders.height, SRCCOPY);
    StretchBlt(dc, w - half, caption, half, side, skinBorders.dc, half, 0, half, skinBorders.height, SRCCOPY);
    ReleaseDC(window, dc);
}

void drawControls(HWND window) {
    if (window == nullptr || inFullScreen())
        return;
    int h;
    int w = windowWidth(window, &h);
    HDC dc = GetWindowDC(window);
    if (dc == nullptr)
        return;
    SkinState s = currentSkinState();
    int column = 0;
    for (int row = 0; row < kControlCount; ++row) {
        const SkinControl& c = controlTable[row];
        if (isControlVisible(c, s))
            blitControl(dc, resolveEdge(c.x, w), resolveEdge(c.y, h), column, row, c, s);
        column += c.width;
    }
    ReleaseDC(window, dc);
}

void drawSeekBar(HDC dc, int refWidth, int refHeight) {
    ResolvedRect r = resolveEdgeRect(seekBarRect, refWidth, refHeight);
    int x = r.left, w = r.width(), h = r.height();
    SetStretchBltMode(dc, COLORONCOLOR);
    if (seekProgress > 0) {
        StretchBlt(dc, x, r.top, seekProgress, h, skinSeekBar.dc, 0, h, h, h, SRCCOPY);
        x += seekProgress;
        w -= seekProgress;
    }
    if (w > 0)
        StretchBlt(dc, x, r.top, w, h, skinSeekBar.dc, 0, 0, h, h, SRCCOPY);
}

void drawStatusText(HDC dc, int refWidth, int refHeight, int seconds, const wchar_t* title) {
    HGDIOBJ oldFont = SelectObject(dc, uiFont);
    SetBkMode(dc, TRANSPARENT);
    ResolvedRect rr = resolveEdgeRect(statusTextRect, refWidth, refHeight);
    RECT r = {rr.left, rr.top, rr.right, rr.bottom};
    SIZE timeSize = {};
    GetTextExtentPoint32W(dc, L" 00:00:00", 9, &timeSize);
    int clearLeft = title != nullptr ? r.left : r.right - timeSize.cx;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, clearLeft, r.top, r.right - clearLeft, r.bottom - r.top, skinPanel.dc, 182, 18, 38, 18,
               SRCCOPY);
    SetTextColor(dc, seekHover > 0 ? kPreviewColour : kTimeColour);
    char buffer[9];
    const char* time = FormatTime(buffer, seconds);
    DrawTextA(dc, time, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    if (title != nullptr) {
        SetTextColor(dc, kTimeColour);
        r.right -= timeSize.cx;
        DrawTextW(dc, title, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    SelectObject(dc, oldFont);
}

void drawSeekBarInFrame() {
    if (mainWindow == nullptr || inFullScreen())
        return;
    HDC dc = GetWindowDC(mainWindow);
    drawSeekBar(dc, mainWidth, mainHeight);
    ReleaseDC(mainWindow, dc);
}

void drawStatusTextInFrame(int seconds, const wchar_t* title) {
    if (mainWindow == nullptr || inFullScreen())
        return;
    HDC dc = GetWindowDC(mainWindow);
    drawStatusText(dc, mainWidth, mainHeight, seconds, title);
    ReleaseDC(mainWindow, dc);
}

void setSeekProgress(long long pixels) {
    if (pixels == seekProgress || playbackState == Stopped)
        return;
    seekProgress = static_cast<int>(pixels);
    drawSeekBarInFrame();
}

void setDisplayedSeconds(long long seconds) {
    if (seconds == displayedSeconds)
        return;
    displayedSeconds = static_cast<int>(seconds);
    drawStatusTextInFrame(displayedSeconds, nullptr);
    // A changing time means playback: keep the screen saver and monitor power-off from starting.
    BOOL active = FALSE;
    if (SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0) && active) {
        SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, SPIF_SENDCHANGE);
        SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, SPIF_SENDCHANGE);
    }
    if (SystemParametersInfoW(SPI_GETPOWEROFFACTIVE, 0, &active, 0) && active) {
        SystemParametersInfoW(SPI_SETPOWEROFFACTIVE, FALSE, nullptr, SPIF_SENDCHANGE);
        SystemParametersInfoW(SPI_SETPOWEROFFACTIVE, TRUE, nullptr, SPIF_SENDCHANGE);
    }
}

void setHoverOffset(int pixels) {
    if (playbackState == Stopped)
        pixels = 0;
    if (pixels == seekHover)
        return;
    seekHover = pixels;
    LONGLONG position = 0;
    if (pixels != 0)
        position = pixelToPosition(pixels, media.duration, seekBarWidth());
    else if (media.seeking && FAILED(media.seeking->GetCurrentPosition(&position)))
        position = 0;
    setDisplayedSeconds(position / kUnitsPerSecond);
    if (seekHover > 0)
        SetTimer(mainWindow, hoverTimerId, kHoverPeriod, nullptr);
}

void setHotControl(int row) {
    if (row == hotControl)
        return;
    hotControl = row;
    drawControls(mainWindow);
    if (row < 0) {
        hideHint();
        return;
    }
    showVolumeHint(controlTable[row].commandId == CMD_BUTTON_MUTE);
    SetTimer(mainWindow, hoverTimerId, kHoverPeriod, nullptr);
}

RECT mainMenuBarRect() {
    RECT client = {};
    GetClientRect(mainWindow, &client);
    if (playlistVisible)
        client.right -= playlistWidth;
    return client;
}

void repaintMainMenuBar() {
    if (mainWindow == nullptr || inFullScreen())
        return;
    HDC dc = GetDC(mainWindow);
    drawMenuBar(mainMenu, mainMenuHotItem, mainMenuBarRect(), dc);
    ReleaseDC(mainWindow, dc);
}

void hoverTimerTick() {
    POINT cursor;
    GetCursorPos(&cursor);
    if (mainMenuHotItem >= 0) {
        if (menuOpenItem >= 0)
            return;
        POINT client = cursor;
        ScreenToClient(mainWindow, &client);
        if (menuItemAt(client.y, mainMenu, client.x, mainMenuBarRect()) < 0) {
            mainMenuHotItem = -1;
            repaintMainMenuBar();
            KillTimer(mainWindow, hoverTimerId);
        }
        return;
    }
    if (WindowFromPoint(cursor) == mainWindow)
        return;
    setHotControl(-1);
    setHoverOffset(0);
    KillTimer(mainWindow, hoverTimerId);
}
