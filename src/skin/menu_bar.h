// The skinned menu-bar strips over the main menu and the play-list menu.
#pragma once
#include <windows.h>

extern int menuOpenItem;  // the item whose popup is open, shared by both strips; -1 for none
extern POINT popupAnchor; // client point where the next popup opens

void drawMenuBar(HMENU menu, int hotItem, const RECT& client, HDC dc);
int menuItemAt(int y, HMENU menu, int x, const RECT& client);
// Runs the submenu of a strip's item as a popup at popupAnchor. The item is the open one meanwhile:
// `repaint` draws the strip with it sunken before the popup shows. Returns the platform's result.
BOOL runMenuPopup(HWND window, HMENU submenu, int item, void (*repaint)());
