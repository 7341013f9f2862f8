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
