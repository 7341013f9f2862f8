#include "core/command_ids.h"
#include "core/timers.h"
#include "playlist/playlist.h"
#include "win32/wheel_notches.h"
#include "playlist/playlist_window.h"
#include "skin/menu_bar.h"

ScrollPart hotPart = PartNone, pressedPart = PartNone;
int listMenuHotItem = -1;

namespace {

RECT listClient() {
    RECT r = {};
    GetClientRect(playlistWindow, &r);
    return r;
}

bool onScrollBar(int x) {
    return scrollBarShown && x >= listClient().right - scrollBarWidth;
}

void openListPopup(HWND window) {
    CheckMenuItem(listMenu, CMD_LIST_LOOP, MF_BYCOMMAND | (loopFlag ? MF_CHECKED : MF_UNCHECKED));
    runMenuPopup(window, GetSubMenu(listMenu, listMenuHotItem), listMenuHotItem, repaintListMenuBar);
    listMenuHotItem = -1;
    repaintListMenuBar();
}
} // namespace

namespace {
// The strip item and scroll-bar part under a client point (none outside the window), lit as
// the pointer finds them; the hover tick runs while either is lit.
void followPointer(int x, int y, bool inside) {
    int item = inside ? menuItemAt(y, listMenu, x, listClient()) : -1;
    if (item != listMenuHotItem) {
        listMenuHotItem = item;
        repaintListMenuBar();
    }
    ScrollPart part = PartNone;
    if (inside && onScrollBar(x))
        part = scrollPartAt(y, listClient().bottom, scrollBarWidth, {scrollBarShown, thumbPos, thumbLen});
    if (part != hotPart) {
        hotPart = part;
        repaintListScrollBar(hotPart);
    }
    if (listMenuHotItem >= 0 || hotPart != PartNone)
        SetTimer(playlistWindow, kListHoverTimer, kListHoverPeriod, nullptr);
    else
        KillTimer(playlistWindow, kListHoverTimer);
}
} // namespace

void listMouseMove(int x, int y) {
    // A dragged thumb follows the pointer wherever it goes while the button is down.
    if (pressedPart == PartThumb) {
        ScrollTo(ThumbToTop(y));
        return;
    }
    RECT client = listClient();
    followPointer(x, y, PtInRect(&client, {x, y}) != 0);
}

void listButtonDown(HWND window, int x, int y) {
    if (y <= kListTop) {
        if (listMenuHotItem >= 0)
            openListPopup(window);
        return;
    }
    if (onScrollBar(x)) {
        pressedPart = hotPart;
        if (pressedPart == PartNone) {
            ScrollTo(ThumbToTop(y)); // a press on the track jumps there
        } else {
            // The release comes here wherever the pointer is by then, and ends the press.
            SetCapture(window);
            repaintListScrollBar(pressedPart);
            // Nothing scrolls at the press itself: the first step comes with the first tick.
            if (pressedPart != PartThumb)
                SetTimer(window, kScrollRepeatTimer, kScrollRepeatPeriod, nullptr);
        }
        return;
    }
    int row = (y - kListTop) / kRowHeight + activeList->top;
    if (row < activeList->count())
        SelectRow(row);
}

void listButtonUp() {
    if (GetCapture() == playlistWindow)
        ReleaseCapture(); // its notice ends the press
    else
        listCaptureLost();
}

void listCaptureLost() {
    if (pressedPart == PartNone)
        return;
    pressedPart = PartNone;
    KillTimer(playlistWindow, kScrollRepeatTimer);
    repaintListScrollBar(hotPart);
}

void listDoubleClick() {
    if (activeList->selected >= 0)
        PlayEntry(activeList->selected);
}

void listWheel(int delta) {
    ScrollTo(activeList->top - takeWheelNotch(delta));
}

void HandleListKey(UINT key) {
    Playlist& list = *activeList;
    if (key == VK_RETURN && list.selected >= 0 && list.selected < list.count())
        PlayEntry(list.selected);
    int rows = rowsIn(listClient().bottom - kListTop);
    int target = listKeyTarget(key, list.selected, list.count(), rows);
    if (target == list.selected)
        return;
    list.selected = target;
    if (EnsureVisible(target) == 0)
        RedrawList();
}

void listTimer(HWND window, UINT_PTR id) {
    if (id == kScrollRepeatTimer) {
        if (pressedPart == PartUp)
            ScrollTo(activeList->top - 1);
        else if (pressedPart == PartDown)
            ScrollTo(activeList->top + 1);
        else
            KillTimer(window, kScrollRepeatTimer);
        return;
    }
    if (menuOpenItem >= 0)
        return;
    // The lit item and part go dark only once the pointer has left them.
    POINT p;
    GetCursorPos(&p);
    bool inside = WindowFromPoint(p) == window;
    ScreenToClient(window, &p);
    followPointer(p.x, p.y, inside);
}
