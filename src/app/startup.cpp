#include "app/shell.h"

#include "app/display_window.h"
#include "app/geometry.h"
#include "app/instance.h"
#include "app/main_window.h"
#include "app/volume.h"
#include "app/wiring.h"
#include "win32/wide.h"
#include "core/command_ids.h"
#include "core/window_size.h"
#include "engine/media.h"
#include "playlist/playlist_window.h"
#include "skin/frame.h"
#include "skin/skin.h"
#include "win32/program_location.h"
#include "win32/guards.h"

#include <objbase.h>

wchar_t captionText[32];
HICON appIcon;
HMENU mainMenu;
HWND mainWindow;
HWND displayWindow;
bool mainWindowActive;

namespace {
bool registerMainClass(HINSTANCE instance) {
    appIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP));
    return registerPlayerClass(instance, L"Zon Player", CS_DBLCLKS, mainWindowProc, keyBrush, appIcon);
}
} // namespace

bool createPlayerWindows(HINSTANCE instance, int showCommand) {
    if (!registerMainClass(instance))
        return false;
    int screenW = GetSystemMetrics(SM_CXSCREEN);
    int screenH = GetSystemMetrics(SM_CYSCREEN);
    readListLayout(frameMetrics, screenW);
    placeMainWindow(screenW, screenH);
    mainMenu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAIN_MENU));

    mainWindow =
        CreateWindowExW(WS_EX_ACCEPTFILES, L"Zon Player", captionText, WS_POPUP | WS_SYSMENU | WS_THICKFRAME,
                        mainX, mainY, mainWidth, mainHeight, nullptr, nullptr, instance, nullptr);
    if (mainWindow == nullptr)
        return false;
    createPlaylistWindow(instance, mainWindow, layoutChildren);
    displayWindow = createDisplayWindow(instance);
    wirePlayer();
    holdLayout(false);
    layoutChildren();
    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);
    return true;
}

int runPlayer(HINSTANCE instance, int showCommand) {
    computeProgramLocation();
    chooseStateFolder();
    // One player keeps one list: a later start hands its paths over and ends here.
    std::vector<std::wstring> paths = commandLinePaths();
    if (!becomePlayer(stateFolder, paths))
        return 0;
    takeOverProgramFiles();
    LoadStringW(instance, IDS_CAPTION, captionText, 32);
    loadSkin(instance);
    if (!createPlayerWindows(instance, showCommand))
        return 0;
    publishPlayerWindow(mainWindow);
    // Nothing before the first paint uses COM: the apartment (and the DLLs it loads) comes after
    // it, and before any message that could open a medium. The master volume may be a COM object
    // and waits for the loop; its mute state then reaches the mute button.
    ComApartment apartment;
    // A file the user opened with the player comes before the mixer: its picture is what they wait
    // for, and opening the mixer can take a good part of a second.
    if (!paths.empty())
        queueShellPaths(std::move(paths));
    PostMessageW(mainWindow, lateStartMessage, 0, 0);
    int exitCode = runMessageLoop();
    // The list and the settings are written (or were tried twice). A medium whose filters never returned
    // still holds its thread, and ending the process the ordinary way would wait on it in its libraries' exit
    // code: the process ends at once instead.
    if (!endMediaSessions(500))
        TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exitCode));
    return exitCode;
}
