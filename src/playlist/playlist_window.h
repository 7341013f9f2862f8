// The docked play-list window.
#pragma once
#include <windows.h>

extern HMENU listMenu;
extern int listHeight;

HWND createPlaylistWindow(HINSTANCE instance);
void RedrawList();
// 1 when the row was brought into view by scrolling, 0 when it was already in view.
int EnsureVisible(int index);
