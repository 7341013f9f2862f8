#include "skin/frame.h"

#include "core/command_ids.h"
#include "core/format_time.h"
#include "engine/media.h"
#include "skin/seek_bar.h"
#include "skin/skin.h"
#include "win32/guards.h"

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
    WindowDc dc(window, true);
    if (dc == nullptr)
        return;
    {
        OffScreen top(dc, w, caption), bottom(dc, w, panel);
        SetStretchBltMode(top, COLORONCOLOR);
        SetStretchBltMode(bottom, COLORONCOLOR);
        const int end = kCaptionEnd;
        BitBlt(top, 0, 0, end, caption, skinCaption.dc, 0, 0, SRCCOPY);
        StretchBlt(top, end, 0, w - 2 * end, caption, skinCaption.dc, end, 0, end, caption, SRCCOPY);
        BitBlt(top, w - end, 0, end, caption, skinCaption.dc, 2 * end, 0, SRCCOPY);
        SetTextColor(top, kCaptionColour);
        SetBkMode(top, TRANSPARENT);
        BitBlt(bottom, 0, 0, kPanelLeft, panel, skinPanel.dc, 0, 0, SRCCOPY);
        StretchBlt(bottom, kPanelLeft, 0, w - kPanelLeft - kPanelRight, panel, skinPanel.dc, kPanelLeft, 0,
                   kPanelSlice, panel, SRCCOPY);
        BitBlt(bottom, w - kPanelRight, 0, kPanelRight, panel, skinPanel.dc, kPanelLeft + kPanelSlice, 0,
               SRCCOPY);
        drawStatusText(bottom, w, panel, displayedSeconds, statusText);
        drawSeekBar(bottom, w, panel);
        RECT captionRect = {end, 0, w, caption};
        wchar_t captionText[64] = {};
        GetWindowTextW(window, captionText, 64);
        DrawTextW(top, captionText, -1, &captionRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
        SkinState s = currentSkinState();
        int column = 0;
        for (int row = 0; row < kControlCount; ++row) {
            const SkinControl& c = controlTable[row];
            if (isControlVisible(c, s)) {
                int x = resolveEdge(c.x, w);
                if (c.y < 0)
                    blitControl(bottom, x, c.y + panel, column, row, c, s);
                else if (c.y + c.height < caption)
                    blitControl(top, x, c.y, column, row, c, s);
            }
            column += c.width;
        }
        BitBlt(dc, 0, 0, w, caption, top, 0, 0, SRCCOPY);
        BitBlt(dc, 0, h - panel, w, panel, bottom, 0, 0, SRCCOPY);
    }
    int side = h - caption - panel;
    int half = skinBorders.width / 2;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, caption, half, side, skinBorders.dc, 0, 0, half, skinBorders.height, SRCCOPY);
    StretchBlt(dc, w - half, caption, half, side, skinBorders.dc, half, 0, half, skinBorders.height, SRCCOPY);
}

void drawControls() {
    HWND window = frameWindow;
    if (window == nullptr || !shown)
        return;
    int h;
    int w = windowWidth(window, &h);
    WindowDc dc(window, true);
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
}

void drawStatusText(HDC dc, int refWidth, int refHeight, int seconds, const wchar_t* title) {
    Selection font(dc, uiFont);
    SetBkMode(dc, TRANSPARENT);
    ResolvedRect rr = resolveEdgeRect(statusTextRect, refWidth, refHeight);
    RECT r = {rr.left, rr.top, rr.right, rr.bottom};
    SIZE timeSize = {};
    GetTextExtentPoint32W(dc, L" 00:00:00", 9, &timeSize);
    int clearLeft = title != nullptr ? r.left : r.right - timeSize.cx;
    SetStretchBltMode(dc, COLORONCOLOR);
    const int* back = kStatusBackground;
    StretchBlt(dc, clearLeft, r.top, r.right - clearLeft, r.bottom - r.top, skinPanel.dc, back[0], back[1],
               back[2], back[3], SRCCOPY);
    SetTextColor(dc, seekHover > 0 ? kPreviewColour : kTimeColour);
    char buffer[9];
    const char* time = FormatTime(buffer, seconds);
    DrawTextA(dc, time, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    if (title != nullptr) {
        SetTextColor(dc, kTimeColour);
        r.right -= timeSize.cx;
        DrawTextW(dc, title, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
}

void drawStatusTextInFrame(int seconds, const wchar_t* title) {
    if (frameWindow == nullptr || !shown)
        return;
    RECT r;
    GetWindowRect(frameWindow, &r);
    drawStatusText(WindowDc(frameWindow, true), r.right - r.left, r.bottom - r.top, seconds, title);
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
