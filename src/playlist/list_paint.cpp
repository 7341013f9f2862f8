#include "win32/wide.h"
#include "core/format_time.h"
#include "playlist/playlist.h"
#include "playlist/playlist_window.h"
#include "skin/menu_bar.h"
#include "skin/scroll_bar.h"
#include "skin/skin.h"
#include "win32/guards.h"

#include <string>

int listHeight;
bool scrollBarShown;
int scrollBarWidth = 15;
int thumbPos, thumbLen;

namespace {
constexpr COLORREF kCurrentText = RGB(164, 235, 12);
constexpr COLORREF kText = RGB(255, 255, 255);
constexpr COLORREF kBorderOuter = RGB(0, 170, 255);
constexpr COLORREF kBorderMiddle = RGB(0, 51, 204);

RECT listClient() {
    RECT r = {};
    GetClientRect(playlistWindow, &r);
    return r;
}

RECT rowsArea(const RECT& client) {
    RECT area = {0, kListTop, client.right, client.bottom};
    if (scrollBarShown)
        area.right -= scrollBarWidth;
    return area;
}

void paintScrollBarInto(HDC dc, const RECT& client, ScrollPart hot) {
    drawScrollBar(dc, client.right - scrollBarWidth, kListTop, client.right, client.bottom, thumbPos,
                  thumbLen, hot, pressedPart);
}
} // namespace

void UpdateScrollGeometry(int height) {
    scrollBarWidth = skinScrollBar.width > 0 ? skinScrollBar.width : 15;
    ScrollGeometry g = updateScrollGeometry(height, scrollBarWidth, activeList->count(), activeList->top);
    scrollBarShown = g.shown;
    thumbPos = g.thumbPos;
    thumbLen = g.thumbLen;
}

void RedrawList() {
    if (batchAdding || !playlistVisible || playlistWindow == nullptr)
        return;
    WindowDc dc(playlistWindow);
    RECT client = listClient();
    UpdateScrollGeometry(client.bottom - kListTop);
    if (scrollBarShown)
        paintScrollBarInto(dc, client, hotPart);
    PaintRows(dc, rowsArea(client));
}

void PaintPlaylistWindow(HDC dc) {
    RECT client = listClient();
    drawMenuBar(listMenu, listMenuHotItem, client, dc);
    if (scrollBarShown)
        paintScrollBarInto(dc, client, hotPart);
    PaintRows(dc, rowsArea(client));
}

void PaintRows(HDC dc, const RECT& area) {
    if (batchAdding)
        return;
    const Playlist& list = *activeList;
    Selection font(dc, uiFont);
    SetBkMode(dc, TRANSPARENT);
    int y = area.top;
    for (int i = list.top; i < list.count() && y < area.bottom; ++i, y += kRowHeight) {
        PlaylistEntry& e = *list.entries[i];
        RECT row = {0, y, area.right, y + kRowHeight};
        // Stripes follow the place on screen: the first visible row always has the first colour.
        bool firstStripe = ((i - list.top) % 2) == 0;
        FillRect(dc, &row,
                 i == list.selected ? listSelectBrush : (firstStripe ? listRowBrushA : listRowBrushB));
        SetTextColor(dc, i == list.current ? kCurrentText : kText);
        if (e.timeText[0] == 0) {
            char buffer[9];
            const char* text = FormatTime(buffer, e.duration);
            lstrcpynA(e.timeText, text, sizeof e.timeText);
        }
        RECT timeRect = row;
        timeRect.right -= 2;
        SIZE timeSize = {};
        GetTextExtentPoint32A(dc, e.timeText, lstrlenA(e.timeText), &timeSize);
        DrawTextA(dc, e.timeText, -1, &timeRect,
                  DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_END_ELLIPSIS | DT_NOPREFIX);
        std::wstring text = std::to_wstring(i + 1) + L"." + asWide(e.title.c_str());
        RECT titleRect = {2, y, area.right - 2 - timeSize.cx - 3, y + kRowHeight};
        // No prefix processing: "Tom & Jerry" keeps its ampersand.
        DrawTextW(dc, text.c_str(), -1, &titleRect,
                  DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    if (y < area.bottom) {
        RECT rest = {0, y, area.right, area.bottom};
        FillRect(dc, &rest, menuBarBrush);
    }
}

void PaintBorder(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    int h = r.bottom - r.top;
    WindowDc dc(window, true);
    const COLORREF colours[3] = {kBorderOuter, kBorderMiddle, kBorderOuter};
    for (int x = 0; x < 3; ++x) {
        GdiObject<HBRUSH> brush(CreateSolidBrush(colours[x]));
        RECT line = {x, 0, x + 1, h};
        FillRect(dc, &line, brush);
    }
}

void repaintListScrollBar(ScrollPart hot) {
    if (!scrollBarShown || playlistWindow == nullptr)
        return;
    paintScrollBarInto(WindowDc(playlistWindow), listClient(), hot);
}

void repaintListMenuBar() {
    if (playlistWindow == nullptr)
        return;
    drawMenuBar(listMenu, listMenuHotItem, listClient(), WindowDc(playlistWindow));
}

void ScrollTo(int row) {
    row = clampTop(row, activeList->count());
    if (row == activeList->top)
        return;
    activeList->top = row;
    RedrawList();
}

int EnsureVisible(int index) {
    Visibility v = ensureVisible(index, activeList->top, listHeight, activeList->count());
    if (v.scrolled && v.top != activeList->top) {
        activeList->top = v.top;
        RedrawList();
    }
    return v.scrolled;
}

void SelectRow(int index) {
    if (index == activeList->selected)
        return;
    activeList->selected = index;
    if (EnsureVisible(index) == 0)
        RedrawList();
}

int ThumbToTop(int y) {
    RECT client = listClient();
    return thumbToTop(y, client.bottom, scrollBarWidth, activeList->count(), thumbLen);
}
