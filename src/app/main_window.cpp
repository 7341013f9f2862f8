#include "app/main_window.h"

#include "app/disc_menus.h"
#include "app/frame_input.h"
#include "app/geometry.h"
#include "app/instance.h"
#include "app/shell.h"
#include "app/volume.h"
#include "core/command_ids.h"
#include "core/timers.h"
#include "engine/disc.h"
#include "engine/media.h"
#include "engine/renderer.h"
#include "engine/transport.h"
#include "playlist/discs.h"
#include "playlist/playlist.h"
#include "playlist/playlist_window.h"
#include "skin/frame.h"
#include "skin/seek_bar.h"
#include "skin/skin.h"

#include <shellapi.h>
#include <windowsx.h>

bool trayShown;
bool leaving;

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

// Leaving by any way out: the list and the settings are written first, so that nothing the
// platform does while the media close can cost them; the media are released while the window
// stands, out of sight (a medium whose filters never return is given up after a while, and left to
// the end of the process).
void leave(HWND window) {
    leaving = true;
    savePlaylistNow();
    closeMedia();
    ShowWindow(window, SW_HIDE);
    whenMediaClosed(releaseLimit, [window] { DestroyWindow(window); });
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
        leave(window);
        return true;
    case CMD_VIEW_PLAYLIST:
        togglePlaylist();
        return true;
    case CMD_PLAY_PAUSE:
    case CMD_PAUSE:
    case CMD_STOP:
        return executePlaybackCommand(LOWORD(wParam));
    case CMD_SKIP_BACK:
        skipOnBar(-1);
        return true;
    case CMD_SKIP_FORWARD:
        skipOnBar(1);
        return true;
    case CMD_FRAME_STEP:
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
    case CMD_AUDIO_DEFAULT:
    case CMD_SUBTITLE_DEFAULT:
        chooseDefaultLanguages(window);
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

namespace {
FrameHit frameHitAt(POINT screen) {
    return hitTestFrame(screen.x - mainX, screen.y - mainY, mainWidth, mainHeight, frameMetrics.captionHeight,
                        playlistVisible, controlTable, currentSkinState(), seekBarRect);
}
} // namespace

LRESULT hitTestWindow(POINT screen) {
    FrameHit hit = frameHitAt(screen);
    hoverFrame(hit);
    followListEdge(hit.resizingPlaylist);
    return hit.code;
}

void hoverUnderPointer() {
    POINT cursor;
    if (GetCursorPos(&cursor) && WindowFromPoint(cursor) == mainWindow)
        hoverFrame(frameHitAt(cursor));
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        leave(window);
        return 0;
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
        frameMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_LBUTTONDOWN:
        frameButtonDown();
        break;
    case WM_LBUTTONUP:
        frameButtonUp();
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
        if (wParam == kPositionTimer)
            pollPosition();
        else
            frameHoverTick();
        return 0;
    case lateStartMessage:
        openMixerOnce();
        return 0;
    case outputDeviceMessage:
        followOutputDevice();
        return 0;
    case shellPathsMessage:
        openQueuedShellPaths();
        return 0;
    case WM_COPYDATA:
        return receiveHandedPaths(window, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case trayMessage:
        if (LOWORD(lParam) == WM_LBUTTONDOWN)
            showInTray(false);
        break;
    case graphNotifyMessage:
        takeEngineReports();
        break;
    case WM_DISPLAYCHANGE:
        displayModeChanged();
        break;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // The process may end without being told again: the list must be written now.
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
    holdLayout(true);
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
    holdLayout(false);
}
