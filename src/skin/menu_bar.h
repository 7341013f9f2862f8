// The skinned menu-bar strips over the main menu and the play-list menu.
#pragma once
#include <windows.h>

extern int menuOpenItem;    // the item whose popup is open, shared by both strips; -1 for none
extern POINT popupAnchor;   // client point where the next popup opens
extern int mainMenuHotItem; // the main strip's item under the mouse

void drawMenuBar(HMENU menu, int hotItem, const RECT& client, HDC dc);
int menuItemAt(int y, HMENU menu, int x, const RECT& client);
// Runs the submenu as a popup at popupAnchor while menuOpenItem is set; returns the platform's result.
BOOL showMenuPopup(HWND window, HMENU submenu);
