// The program's spine: start-up, the settings file, the message loop and its shortcuts.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include "playlist/playlist_window.h"
#include "win32/program_location.h"
#include "win32/wheel_notches.h"

extern wchar_t captionText[32];
extern HICON appIcon;
extern HMENU mainMenu;
extern HWND mainWindow;
extern HWND displayWindow;
extern bool mainWindowActive;

constexpr UINT trayMessage = WM_USER + 100;
// Posted by start-up once the window is painted: the work the first paint does not wait for.
constexpr UINT lateStartMessage = WM_USER + 102;
// Posted when the default output device changes.
constexpr UINT outputDeviceMessage = WM_USER + 103;
// Posted when paths from the shell wait to be taken (the command line, or a later start's).
constexpr UINT shellPathsMessage = WM_USER + 104;

// Start-up in its fixed order, the loop, and the exit code.
int runPlayer(HINSTANCE instance, int showCommand);

// Steps of start-up, exposed so that tests can bring the windows up in their own process.
bool createPlayerWindows(HINSTANCE instance, int showCommand);
int runMessageLoop();

// Pre-translation of one message while the main window is active; true when it was consumed.
bool preTranslateMessage(MSG& msg);
bool mapKeyToCommand(UINT key);
