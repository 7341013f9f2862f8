#include "support.h"

#include "app/display_window.h"
#include "app/shell.h"
#include "engine/media.h"
#include "engine/medium.h"
#include "playlist/playlist.h"
#include "playlist/playlist_window.h"
#include "skin/frame.h"
#include "skin/hint.h"
#include "skin/seek_bar.h"
#include "win32/wheel_notches.h"
#include "win32/guards.h"
#include "win32/wide.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

void PlayerTest::atRest() {
    setPlaybackState(Stopped);
    EXPECT_TRUE(mediaReleased()) << "what the test opened is released";
    ClearPlaylist(mainList);
    mainList.top = 0;
    loopFlag = false;
    hotControl = pressedControl = -1;
    hotPart = pressedPart = PartNone;
    seekHover = seekProgress = 0;
    statusText[0] = 0;
    wheelRemainder = 0;
    BYTE keys[256] = {};
    SetKeyboardState(keys);
    showFrame(true);
    setZoom(100);
    hideHint();
    RedrawWindow(mainWindow, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    handleQueued();
}

COLORREF Capture::at(int x, int y) const {
    unsigned c = pixels[static_cast<std::size_t>(y) * width + x];
    return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

Capture capture(HWND window, bool wholeWindow) {
    RECT r;
    if (wholeWindow)
        GetWindowRect(window, &r), OffsetRect(&r, -r.left, -r.top);
    else
        GetClientRect(window, &r);
    Capture c{r.right, r.bottom, {}};
    if (c.width <= 0 || c.height <= 0)
        return c;
    WindowDc dc(window, wholeWindow);
    MemoryDc mem(dc);
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, c.width, c.height));
    {
        Selection drawn(mem, bitmap);
        BitBlt(mem, 0, 0, c.width, c.height, dc, 0, 0, SRCCOPY);
    }
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), c.width, -c.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    c.pixels.resize(static_cast<std::size_t>(c.width) * c.height);
    GetDIBits(mem, bitmap, 0, c.height, c.pixels.data(), &info, DIB_RGB_COLORS);
    return c;
}

void pointerTo(HWND window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    SetCursorPos(p.x, p.y); // the system queues the move before it returns
    handleQueued();
}

int pictureContrast(HWND window) {
    int best = 0;
    for (unsigned p : capture(window, false).pixels)
        best = std::max({best, std::abs(static_cast<int>(p >> 16 & 0xFF) - 7),
                         std::abs(static_cast<int>(p >> 8 & 0xFF) - 9),
                         std::abs(static_cast<int>(p & 0xFF) - 7)});
    return best;
}

std::vector<std::wstring> listPaths() {
    std::vector<std::wstring> out;
    for (const auto& e : activeList->entries)
        out.push_back(asWide(e->path.c_str()));
    return out;
}

std::vector<DWORD> threadsOfThisProcess() {
    std::vector<DWORD> ids;
    Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ids.push_back(entry.th32ThreadID);
    return ids;
}

bool openInPlace(std::wstring& path) {
    return openMedia(path.data()) && eventually([] { return !media.opening; });
}

bool onMedium(std::function<void(MediaContext&)> look) {
    // Once open: the state the window shows has been handed to the medium by then.
    if (!eventually([] { return !media.opening; }))
        return false;
    auto done = std::make_shared<bool>(false);
    toMedium([look, done](MediaSession& s, MediaContext& m) {
        look(m);
        s.report([done] { *done = true; });
    });
    return eventually([done] { return *done; });
}

bool settled() {
    return onMedium([](MediaContext&) {});
}

bool mediaReleased(DWORD ms) {
    return eventually([] { return !mediaReleasing(); }, ms);
}
