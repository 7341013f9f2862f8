// The docked play-list window: its state, painting, scrolling and input.
#pragma once
#include "core/list_view.h"
#include "core/window_size.h"

#include <windows.h>

extern HWND playlistWindow;
// The docked list's width and whether it shows: the list's own, kept in the settings file.
extern int playlistWidth;
extern bool playlistVisible;

extern HMENU listMenu;
extern int listHeight;
extern bool scrollBarShown;
extern int scrollBarWidth;
extern int thumbPos, thumbLen;
extern ScrollPart hotPart, pressedPart;
extern int listMenuHotItem;

// The width and visibility of last time, kept within what the screen can show.
void readListLayout(const FrameMetrics& frame, int screenWidth);
void setPlaylistVisible(bool visible);
// The list window, a child of `parent`; `resized` lays the parent out again when the list's width
// changes by a drag of its edge.
HWND createPlaylistWindow(HINSTANCE instance, HWND parent, void (*resized)());
// Writes the list and the settings before the process ends (exit, the end of the session); a write
// that fails is tried once more.
void savePlaylistNow();
// Last run's list is read now if its deferred load has not come yet: what the user does to the list
// in the first moments is done to that list, never undone by its arrival.
void ensureListLoaded();

// Painting and scrolling.
void RedrawList();
void PaintPlaylistWindow(HDC dc);
void PaintRows(HDC dc, const RECT& area);
void PaintBorder(HWND window);
void UpdateScrollGeometry(int height);
void repaintListScrollBar(ScrollPart hot);
void repaintListMenuBar();
void ScrollTo(int row);
// 1 when the row was brought into view by scrolling, 0 when it was already in view.
int EnsureVisible(int index);
void SelectRow(int index);
int ThumbToTop(int y);

// Input, handed over by the window procedure.
void listMouseMove(int x, int y);
void listButtonDown(HWND window, int x, int y);
void listButtonUp();
void listCaptureLost();
void listDoubleClick();
void listWheel(int delta);
void HandleListKey(UINT key);
void listTimer(HWND window, UINT_PTR id);
