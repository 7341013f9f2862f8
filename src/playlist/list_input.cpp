#include "app/shell.h"
#include "core/command_ids.h"
#include "playlist/playlist.h"
#include "playlist/playlist_window.h"
#include "skin/menu_bar.h"

ScrollPart hotPart = PartNone, pressedPart = PartNone;
int listMenuHotItem = -1;

namespace {
constexpr UINT_PTR kRepeatTimer = 101;
constexpr UINT kRepeatPeriod = 100;
constexpr UINT_PTR kHoverTimer = 200;
constexpr UINT kHoverPeriod = 200;

RECT listClient() {
    RECT r = {};
    GetClientRect(playlistWindow, &r);
    return r;
}

bool onScrollBar(int x) {
    return scrollBarShown && x >= listClient().right - scrollBarWidth;
}

void openListPopup(HWND window) {
    menuOpenItem = listMenuHotItem;
    repaintListMenuBar();
    CheckMenuItem(listMenu, CMD_LIST_LOOP, MF_BYCOMMAND | (loopFlag ? MF_CHECKED : MF_UNCHECKED));
    showMenuPopup(window, GetSubMenu(listMenu, listMenuHotItem));
    listMenuHotItem = menuOpenItem = -1;
    repaintListMenuBar();
}
} // namespace

void listMouseMove(int x, int y) {
    int item = menuItemAt(y, listMenu, x, listClient());
    if (item != listMenuHotItem) {
        if (item >= 0)
            SetTimer(playlistWindow, kHoverTimer, kHoverPeriod, nullptr);
        else if (listMenuHotItem >= 0)
            KillTimer(playlistWindow, kHoverTimer);
        listMenuHotItem = item;
        repaintListMenuBar();
    }
    if (!onScrollBar(x))
        return;
    if (pressedPart == PartThumb) {
        ScrollTo(ThumbToTop(y));
        return;
    }
    ScrollPart part =
        scrollPartAt(y, listClient().bottom, scrollBarWidth, {scrollBarShown, thumbPos, thumbLen});
    if (part == hotPart)
        return;
    if (part == PartNone) {
        if (hotPart != PartNone)
            KillTimer(playlistWindow, kHoverTimer);
    } else {
        SetTimer(playlistWindow, kHoverTimer, kHoverPeriod, nullptr);
    }
    hotPart = part;
    repaintListScrollBar(hotPart);
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
            repaintListScrollBar(pressedPart);
            // Nothing scrolls at the press itself: the first step comes with the first tick.
            if (pressedPart != PartThumb)
                SetTimer(window, kRepeatTimer, kRepeatPeriod, nullptr);
        }
        return;
    }
    int row = (y - kListTop) / kRowHeight + activeList->top;
    if (row < activeList->count())
        SelectRow(row);
}

void listButtonUp() {
    if (pressedPart == PartNone)
        return;
    pressedPart = PartNone;
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
    if (id == kRepeatTimer) {
        if (pressedPart == PartUp)
            ScrollTo(activeList->top - 1);
        else if (pressedPart == PartDown)
            ScrollTo(activeList->top + 1);
        else
            KillTimer(window, kRepeatTimer);
        return;
    }
    if (menuOpenItem >= 0)
        return;
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(window, &p);
    RECT client = listClient();
    if (!PtInRect(&client, p))
        KillTimer(window, id);
    if (listMenuHotItem >= 0) {
        listMenuHotItem = -1;
        repaintListMenuBar();
    }
    if (hotPart != PartNone) {
        hotPart = PartNone;
        repaintListScrollBar(hotPart);
    }
}
