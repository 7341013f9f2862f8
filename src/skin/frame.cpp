#include "skin/frame.h"

#include "core/command_ids.h"
#include "core/format_time.h"
#include "engine/media.h"
#include "skin/seek_bar.h"
#include "skin/skin.h"

HWND frameWindow;
wchar_t statusText[128];
int displayedSeconds;
int hotControl = -1, pressedControl = -1;

namespace {
bool shown = true;
ListFacts noList() {
    return {0, -1, false};
}
} // namespace

ListFacts (*listFacts)() = noList;

void attachFrame(HWND window) {
    frameWindow = window;
}

void showFrame(bool on) {
    shown = on;
}

bool frameShown() {
    return shown;
}

namespace {
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
    ListFacts list = listFacts();
    return {playbackState, list.count, list.current, list.loop, hotControl, pressedControl};
}

void drawFrame(HWND window) {
    if (!shown)
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
        wchar_t captionText[64] = {};
        GetWindowTextW(window, captionText, 64);
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

void drawControls() {
    HWND window = frameWindow;
    if (window == nullptr || !shown)
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

void drawStatusTextInFrame(int seconds, const wchar_t* title) {
    if (frameWindow == nullptr || !shown)
        return;
    RECT r;
    GetWindowRect(frameWindow, &r);
    HDC dc = GetWindowDC(frameWindow);
    drawStatusText(dc, r.right - r.left, r.bottom - r.top, seconds, title);
    ReleaseDC(frameWindow, dc);
}

void setStatusText(const wchar_t* text) {
    lstrcpynW(statusText, text, 128);
    drawStatusTextInFrame(displayedSeconds, statusText);
}

void clearPlayingDisplay() {
    clearSeekBar();
    displayedSeconds = 0;
    statusText[0] = 0;
    drawStatusTextInFrame(0, L" ");
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

bool setHotControl(int row) {
    if (row == hotControl)
        return false;
    hotControl = row;
    drawControls();
    return true;
}

void setPressedControl(int row) {
    pressedControl = row;
    drawControls();
}

void forgetHotControl() {
    hotControl = -1;
}

void setMuteLatched(bool muted) {
    controlTable[kMuteRow].latched = muted ? 1 : 0;
    drawControls();
}
