#include "app/main_window.h"

#include "app/geometry.h"
#include "app/shell.h"
#include "app/volume.h"
#include "core/command_ids.h"
#include "engine/disc.h"
#include "engine/media.h"
#include "engine/transport.h"
#include "playlist/playlist.h"
#include "playlist/playlist_window.h"
#include "skin/frame.h"

#include "skin/menu_bar.h"
#include "skin/skin.h"
#include "app/menu_states.h"

#include <shellapi.h>
#include <windowsx.h>

bool trayShown;

namespace {
INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

void openHomepage(HWND window) {
    wchar_t address[32] = {};
    if (LoadStringW(GetModuleHandleW(nullptr), IDS_HOMEPAGE, address, 32) > 0)
        ShellExecuteW(window, L"open", address, nullptr, nullptr, SW_SHOW);
}

HHOOK menuFilterHook;

// While a popup of the main strip is open, sliding onto another title closes it (a press outside
// the popup) and the press, arriving at the main window, opens the popup of the new title.
LRESULT CALLBACK filterMenuMessages(int code, WPARAM wParam, LPARAM lParam) {
    LRESULT next = CallNextHookEx(menuFilterHook, code, wParam, lParam);
    if (next != 0 || code != MSGF_MENU)
        return next;
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg->message == WM_MOUSEMOVE && msg->hwnd == mainWindow) {
        POINT p = msg->pt;
        ScreenToClient(mainWindow, &p);
        int item = menuItemAt(p.y, mainMenu, p.x, mainMenuBarRect());
        if (item >= 0 && item != mainMenuHotItem) {
            mainMenuHotItem = item;
            PostMessageW(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        }
    }
    return 0;
}

void openMainMenuPopup() {
    menuOpenItem = mainMenuHotItem;
    repaintMainMenuBar();
    menuFilterHook = SetWindowsHookExW(WH_MSGFILTER, filterMenuMessages, nullptr, GetCurrentThreadId());
    HMENU popup = GetSubMenu(mainMenu, menuOpenItem);
    updateMenuStates(menuOpenItem, popup);
    showMenuPopup(mainWindow, popup);
    if (menuFilterHook != nullptr)
        UnhookWindowsHookEx(menuFilterHook);
    menuFilterHook = nullptr;
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(mainWindow, &p);
    int item = menuItemAt(p.y, mainMenu, p.x, mainMenuBarRect());
    // The title whose popup was just open does not open again under the same click.
    mainMenuHotItem = item == menuOpenItem ? -1 : item;
    menuOpenItem = -1;
    repaintMainMenuBar();
}

void onMouseMove(LPARAM lParam) {
    int item = menuItemAt(GET_Y_LPARAM(lParam), mainMenu, GET_X_LPARAM(lParam), mainMenuBarRect());
    if (item == mainMenuHotItem)
        return;
    mainMenuHotItem = item;
    repaintMainMenuBar();
    if (item >= 0)
        SetTimer(mainWindow, hoverTimerId, 200, nullptr);
}

// A press on a skinned button shows it pressed, one on a menu title opens its popup, and a click
// on the seek bar jumps there.
void onButtonDown() {
    if (hotControl >= 0) {
        pressedControl = hotControl;
        drawControls(mainWindow);
    }
    if (mainMenuHotItem >= 0)
        openMainMenuPopup();
    if (seekHover > 0)
        seekTo(seekHover);
}

// The pressed button's command runs on the release, wherever the pointer went meanwhile.
void onButtonUp() {
    if (pressedControl < 0)
        return;
    SkinControl& pressed = controlTable[pressedControl];
    if (pressed.commandId == CMD_BUTTON_MUTE) {
        pressed.latched = !pressed.latched;
        changeVolume(pressed.latched ? 1 : 0, 0);
    } else {
        PostMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(pressed.commandId, 0), 0);
    }
    pressedControl = -1;
    drawControls(mainWindow);
    hotControl = -1;
}

void onDestroy() {
    if (trayShown)
        showInTray(false);
    closeMedia();
    closeMixer();
    PostQuitMessage(0);
}
} // namespace

bool executeCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case CMD_FILE_OPEN:
        SendMessageW(playlistWindow, WM_COMMAND, wParam, lParam);
        return true;
    case CMD_FILE_SNAPSHOT:
    case CMD_VIEW_FULLSCREEN:
    case CMD_ZOOM_OUT:
    case CMD_ZOOM_IN:
    case CMD_ZOOM_50:
    case CMD_ZOOM_100:
    case CMD_ZOOM_200:
        SendMessageW(displayWindow, WM_COMMAND, wParam, lParam);
        return true;
    case CMD_FILE_EXIT:
        DestroyWindow(window);
        return true;
    case CMD_VIEW_PLAYLIST:
        togglePlaylist();
        return true;
    case CMD_PLAY_PAUSE:
    case CMD_PAUSE:
    case CMD_STOP:
        return executePlaybackCommand(LOWORD(wParam));
    case CMD_FRAME_STEP:
    case CMD_SKIP_BACK:
    case CMD_SKIP_FORWARD:
    case CMD_RATE_DOWN:
    case CMD_RATE_UP:
    case CMD_RATE_HALF:
    case CMD_RATE_NORMAL:
    case CMD_RATE_DOUBLE:
        return executeTransportCommand(LOWORD(wParam));
    case CMD_PREVIOUS:
        PlayPrevious();
        return true;
    case CMD_NEXT:
        PlayNext();
        return true;
    case CMD_DISC:
        findDisc();
        return true;
    case CMD_HELP_HOMEPAGE:
        openHomepage(window);
        return true;
    case CMD_HELP_ABOUT:
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), window, aboutDialogProc, 0);
        return true;
    case CMD_BUTTON_MINIMISE:
        showInTray(true);
        return true;
    case CMD_BUTTON_FULLSCREEN:
        SendMessageW(displayWindow, WM_COMMAND, MAKEWPARAM(CMD_VIEW_FULLSCREEN, 0), 0);
        return true;
    default:
        return selectDvdStream(LOWORD(wParam));
    }
}

LRESULT hitTestWindow(POINT screen) {
    FrameHit hit =
        hitTestFrame(screen.x - mainX, screen.y - mainY, mainWidth, mainHeight, frameMetrics.captionHeight,
                     playlistVisible, controlTable, currentSkinState(), seekBarRect);
    setHotControl(hit.row);
    setHoverOffset(hit.seekOffset);
    resizingPlaylist = hit.resizingPlaylist;
    return hit.code;
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        onDestroy();
        break;
    case WM_SIZE:
        handleMainSize(window);
        break;
    case WM_ACTIVATE:
        mainWindowActive = LOWORD(wParam) != WA_INACTIVE;
        break;
    case WM_PAINT:
        repaintMainMenuBar();
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCCALCSIZE:
        handleNcCalcSize(reinterpret_cast<RECT*>(lParam));
        return 0;
    case WM_WINDOWPOSCHANGING:
        handleWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case WM_WINDOWPOSCHANGED:
        handleWindowPosChanged(reinterpret_cast<const WINDOWPOS*>(lParam));
        break;
    case WM_NCHITTEST:
        return hitTestWindow({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_MOUSEMOVE:
        onMouseMove(lParam);
        break;
    case WM_LBUTTONDOWN:
        onButtonDown();
        break;
    case WM_LBUTTONUP:
        onButtonUp();
        break;
    case WM_NCPAINT:
        drawFrame(window);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == CMD_FRAME_STEP) {
            executeCommand(window, wParam, lParam);
            return 1;
        }
        executeCommand(window, wParam, lParam);
        break;
    case WM_TIMER:
        if (wParam == positionTimerId)
            pollPosition();
        else
            hoverTimerTick();
        return 0;
    case trayMessage:
        if (LOWORD(lParam) == WM_LBUTTONDOWN)
            showInTray(false);
        break;
    case graphNotifyMessage:
        handleGraphEvents();
        break;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // The process may end without being told again: the list must be on the disk now.
        if (wParam)
            savePlaylistNow();
        return 0;
    case WM_DROPFILES:
        // Files dragged from another application arrive while it is still the active one.
        handleDroppedFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void showInTray(bool flag) {
    layoutBusy = true;
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof data;
    data.hWnd = mainWindow;
    data.uID = 1;
    if (flag) {
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = trayMessage;
        data.hIcon = appIcon;
        lstrcpynW(data.szTip, captionText, ARRAYSIZE(data.szTip));
        ShowWindow(mainWindow, SW_MINIMIZE);
        Shell_NotifyIconW(NIM_ADD, &data);
        ShowWindow(mainWindow, SW_HIDE);
    } else {
        Shell_NotifyIconW(NIM_DELETE, &data);
        ShowWindow(mainWindow, SW_SHOW);
        ShowWindow(mainWindow, SW_RESTORE);
    }
    trayShown = flag;
    layoutBusy = false;
}
