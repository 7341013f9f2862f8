// The main window procedure and the command dispatch.
#pragma once
#include <windows.h>

extern bool trayShown;
// The player is on its way out: its window is hidden and goes once the media are released.
extern bool leaving;

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Runs one command of the main menu, a shortcut or a skinned button; false when nothing owns it.
bool executeCommand(HWND window, WPARAM wParam, LPARAM lParam);
void showInTray(bool flag);
LRESULT hitTestWindow(POINT screen);
// What a resting pointer is over takes the hover again, as if it had just moved there: a medium that
// opens under it has its seek bar previewed and turned by the wheel (the last one's end let go of it).
void hoverUnderPointer();
