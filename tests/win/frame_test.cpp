// The skinned frame as drawn into the test process's own main window, read back from the screen.
#include "support.h"

#include "app/geometry.h"
#include "app/shell.h"
#include "win32/wide.h"
#include "engine/media.h"
#include "playlist/playlist.h"
#include "skin/frame.h"
#include "skin/seek_bar.h"
#include "skin/skin.h"

#include <gtest/gtest.h>

namespace {
Capture captureWindow(HWND window) {
    return capture(window, true);
}

// How many pixels of a window area differ from the same area of a skin image; pixels cut off by
// the window's rounded corners are not the window's.
int differences(const Capture& c, int x, int y, const SkinImage& image, int sx, int sy, int w, int h) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    bool rounded = GetWindowRgn(mainWindow, region) != ERROR;
    int n = 0;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if ((!rounded || PtInRegion(region, x + i, y + j)) &&
                c.at(x + i, y + j) != GetPixel(image.dc, sx + i, sy + j))
                ++n;
    DeleteObject(region);
    return n;
}

class Frame : public testing::Test {
protected:
    void SetUp() override {
        setPlaybackState(Stopped);
        ClearPlaylist(mainList);
        hotControl = pressedControl = -1;
        seekProgress = 0;
        statusText[0] = 0;
    }
    void TearDown() override {
        hotControl = pressedControl = -1;
        seekProgress = 0;
        showFrame(true);
        playbackState = Stopped;
        ClearPlaylist(mainList);
        statusText[0] = 0;
        repaint();
    }
    static void repaint() {
        RedrawWindow(mainWindow, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        pumpMessages(20);
    }
};

TEST_F(Frame, ButtonsShowTheirStates) {
    struct Case {
        const char* name;
        int entries, hot, pressed;
        int image;
    } cases[] = {
        {"normal", 2, -1, -1, 0}, {"hot", 2, 0, -1, 1}, {"pressed", 2, 0, 0, 2}, {"disabled", 0, -1, -1, 3}};
    for (const Case& k : cases) {
        ClearPlaylist(mainList);
        for (int i = 0; i < k.entries; ++i)
            AppendEntry(mainList, u"C:\\x.avi");
        hotControl = k.hot;
        pressedControl = k.pressed;
        drawControls();
        Capture c = captureWindow(mainWindow);
        EXPECT_EQ(differences(c, 10, c.height - 38, skinButtons, 0, 30 * k.image, 30, 30), 0)
            << "Play " << k.name;
    }
    // Playing: Pause takes the Play place; the latched mute shows pressed.
    playbackState = Playing;
    hotControl = pressedControl = -1;
    controlTable[kMuteRow].latched = 1;
    drawControls();
    Capture c = captureWindow(mainWindow);
    EXPECT_EQ(differences(c, 10, c.height - 38, skinButtons, 30, 0, 30, 30), 0) << "Pause while playing";
    EXPECT_EQ(differences(c, 140, c.height - 34, skinButtons, 126, 44, 22, 22), 0) << "mute latched";
    controlTable[kMuteRow].latched = 0;
    EXPECT_EQ(differences(c, c.width - 60, 4, skinButtons, 148, 0, 17, 19), 0) << "minimise, from the right";
}

TEST_F(Frame, ALongTitleNeverRunsIntoTheTime) {
    std::wstring title(200, L'W');
    setStatusText(title.c_str());
    Capture c = captureWindow(mainWindow);
    HDC dc = GetDC(mainWindow);
    HGDIOBJ old = SelectObject(dc, uiFont);
    SIZE timeWidth;
    GetTextExtentPoint32W(dc, L" 00:00:00", 9, &timeWidth);
    SIZE shown;
    GetTextExtentPoint32A(dc, "--:--", 5, &shown);
    SelectObject(dc, old);
    ReleaseDC(mainWindow, dc);
    int right = c.width - 22, limit = right - timeWidth.cx;
    COLORREF box = GetPixel(skinPanel.dc, 190, 20);
    int titleNearLimit = 0;
    for (int y = c.height - 32; y < c.height - 14; ++y) {
        for (int x = limit; x < right - shown.cx - 1; ++x)
            EXPECT_EQ(c.at(x, y), box) << "between the title and the time at " << x << "," << y;
        for (int x = limit - 20; x < limit; ++x)
            titleNearLimit += c.at(x, y) != box;
    }
    EXPECT_GT(titleNearLimit, 0) << "the title is drawn up to its limit, ending in an ellipsis";
}

TEST_F(Frame, NothingIsPaintedInFullScreenButTheValuesChange) {
    repaint();
    Capture before = captureWindow(mainWindow);
    showFrame(false);
    playbackState = Playing;
    setSeekProgress(120);
    setDisplayedSeconds(75);
    setStatusText(L"full screen");
    drawControls();
    drawFrame(mainWindow);
    EXPECT_EQ(seekProgress, 120);
    EXPECT_EQ(displayedSeconds, 75);
    EXPECT_STREQ(statusText, L"full screen");
    Capture after = captureWindow(mainWindow);
    EXPECT_EQ(before.pixels, after.pixels);
}
int pixelsOfColour(const Capture& c, COLORREF colour, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            n += c.at(x, y) == colour;
    return n;
}

TEST_F(Frame, HoveringTheSeekBarPreviewsTheTimeInItsOwnColour) {
    constexpr LONGLONG second = 10000000;
    playbackState = Playing;
    media.duration = 3860 * second;
    int bar = mainWidth - 14;
    setSeekHover(100);
    EXPECT_EQ(seekHover, 100);
    EXPECT_EQ(displayedSeconds, 100 * 3860 / bar);
    Capture c = captureWindow(mainWindow);
    int right = c.width - 22, top = c.height - 32, bottom = c.height - 14;
    EXPECT_GT(pixelsOfColour(c, RGB(0, 102, 187), right - 60, top, right, bottom), 0) << "preview colour";
    EXPECT_EQ(pixelsOfColour(c, RGB(0, 51, 204), right - 60, top, right, bottom), 0);

    setSeekHover(0);
    EXPECT_EQ(displayedSeconds, 0) << "leaving the bar shows the playing position again";
    c = captureWindow(mainWindow);
    EXPECT_EQ(pixelsOfColour(c, RGB(0, 102, 187), right - 60, top, right, bottom), 0);

    playbackState = Stopped;
    setSeekHover(50);
    EXPECT_EQ(seekHover, 0) << "nothing to preview while stopped";
    media.duration = 0;
}
} // namespace
