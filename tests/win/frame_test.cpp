// The skinned frame of the test process's own main window: its bitmaps, its drawing read back from
// the screen, and its menu strip.
#include "support.h"

#include "app/frame_input.h"
#include "app/shell.h"
#include "engine/media.h"
#include "skin/frame.h"
#include "skin/menu_bar.h"
#include "skin/seek_bar.h"
#include "skin/skin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
constexpr COLORREF kTimeColour = RGB(0, 51, 204), kPreviewColour = RGB(0, 102, 187);

Capture frameNow() {
    return capture(mainWindow, true);
}

// The columns of the status line, right of the buttons, that hold a colour (or, with a second
// capture, where the two differ): the leftmost and rightmost such column, -1 for none.
std::pair<int, int> statusColumns(const Capture& c, COLORREF colour, const Capture* other = nullptr) {
    std::pair<int, int> found = {-1, -1};
    for (int x = c.width / 2; x < c.width; ++x)
        for (int y = c.height - 32; y < c.height - 14; ++y)
            if (other != nullptr ? c.at(x, y) != other->at(x, y) : c.at(x, y) == colour) {
                found = {found.first < 0 ? x : found.first, x};
                break;
            }
    return found;
}

using Frame = PlayerTest;

TEST_F(Frame, ALongTitleStopsShortOfTheTimeAndAHoverPreviewsTheTimeInItsOwnColour) {
    Capture timeAlone = frameNow();
    int timeLeft = statusColumns(timeAlone, kTimeColour).first;
    ASSERT_GT(timeLeft, 0) << "the time is shown";
    setStatusText(std::wstring(200, L'W').c_str());
    Capture titled = frameNow();
    int reach = statusColumns(titled, 0, &timeAlone).second;
    EXPECT_LT(reach, timeLeft - 1) << "the title stops short of the time";
    EXPECT_GT(reach, timeLeft - 50) << "and is drawn up to its limit, ending in an ellipsis";

    setStatusText(L"");
    playbackState = Playing;
    media.duration = 3860 * 10000000LL;
    setSeekHover(100);
    Capture c = frameNow();
    EXPECT_GE(statusColumns(c, kPreviewColour).first, 0) << "the preview's colour";
    EXPECT_EQ(statusColumns(c, kTimeColour).first, -1);
    setSeekHover(0);
    EXPECT_EQ(displayedSeconds, 0) << "leaving the bar shows the playing position again";
    EXPECT_EQ(statusColumns(frameNow(), kPreviewColour).first, -1);
    playbackState = Stopped;
    setSeekHover(50);
    EXPECT_EQ(seekHover, 0) << "nothing to preview while stopped";
}

// The compressed skin bitmaps as the program loads them from its resources.
TEST(Resources, CompressedBitmapsDecodeWithTheirKeyColours) {
    // Glyph cells stand on magenta, and the glyph mask is set exactly where they are.
    EXPECT_NE(GetPixel(skinScrollBar.dc, 7, 6 * 15 + 7), RGB(255, 0, 255)) << "the up arrow itself";
    EXPECT_EQ(GetPixel(skinButtons.dc, 215, 119), RGB(7, 9, 7)) << "the button sheet's key colour";
    for (int y = 90; y < 240; y += 3)
        for (int x = 0; x < 15; x += 2)
            EXPECT_EQ(GetPixel(glyphMaskDc, x, y) != 0, GetPixel(skinScrollBar.dc, x, y) == RGB(255, 0, 255))
                << x << "," << y;
}

// The main menu strip's popups, with timers acting inside the popups' own loops.
std::vector<int> opened; // menuOpenItem as each popup's loop ran
int ticks;
bool lastLookTaken; // the last timer has looked whether a popup is still open

// The pointer at a point of the strip; returns the point as a message carries it.
LPARAM pointAtStrip(int x) {
    POINT p = {x, 5};
    ClientToScreen(mainWindow, &p);
    SetCursorPos(p.x, p.y);
    return MAKELPARAM(x, 5);
}

void CALLBACK slideThenClickTheOpenTitle(HWND, UINT, UINT_PTR id, DWORD) {
    opened.push_back(menuOpenItem);
    if (++ticks == 1) {
        PostMessageW(mainWindow, WM_MOUSEMOVE, 0, pointAtStrip(70)); // onto the second title, the popup open
        return;
    }
    KillTimer(nullptr, id);
    PostMessageW(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, pointAtStrip(70));
    // Should the platform keep the click for the menu, close it here all the same.
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR second, DWORD) {
        KillTimer(nullptr, second);
        lastLookTaken = true;
        if (menuOpenItem >= 0) {
            opened.push_back(-2);
            EndMenu();
        }
    });
}

TEST(MenuBar, SlidingToTheNextTitleOpensItsPopupAndClickingTheOpenTitleClosesIt) {
    opened.clear();
    ticks = 0;
    lastLookTaken = false;
    SendMessageW(mainWindow, WM_MOUSEMOVE, 0, pointAtStrip(10));
    ASSERT_EQ(mainMenuHotItem, 0);
    SetTimer(nullptr, 0, 150, slideThenClickTheOpenTitle);
    // The posted press that closed the first popup opens the second one; the click on its own title
    // closes it without opening it again.
    SendMessageW(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    ASSERT_TRUE(eventually([] { return lastLookTaken; }));
    EXPECT_EQ(opened, (std::vector<int>{0, 1}));
    EXPECT_EQ(menuOpenItem, -1);
    mainMenuHotItem = -1;
}
} // namespace
