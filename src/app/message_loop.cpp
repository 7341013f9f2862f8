#include "app/shell.h"

#include "app/volume.h"
#include "core/command_ids.h"
#include "core/keymap.h"
#include "core/wheel.h"
#include "engine/media.h"
#include "engine/transport.h"
#include "playlist/file_ops.h"
#include "playlist/playlist.h"
#include "skin/frame.h"
#include "skin/seek_bar.h"
#include "skin/skin.h"

#include <windowsx.h>

bool mapKeyToCommand(UINT key) {
    KeyAction action = mapShortcutKey(key, GetKeyState(VK_CONTROL) < 0);
    switch (action.kind) {
    case KeyActionKind::NotTaken:
    case KeyActionKind::Close:
        return false;
    case KeyActionKind::Command:
        SendMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(action.command, 0), 0);
        return true;
    case KeyActionKind::MoveToFolder:
        moveCurrentToFolder(action.slot);
        return true;
    case KeyActionKind::Rename:
        if (playbackState != Stopped && activeList->current >= 0)
            runRenameDialog();
        return true;
    }
    return false;
}

namespace {
// Alt-key combinations; system keys are never translated, so no system characters arise.
void handleSystemKey(const MSG& msg) {
    if ((msg.lParam & (1 << 29)) == 0)
        return;
    KeyAction action = mapAltKey(static_cast<unsigned>(msg.wParam));
    if (action.kind == KeyActionKind::Command)
        SendMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(action.command, 0), 0);
    else if (action.kind == KeyActionKind::Close)
        SendMessageW(mainWindow, WM_CLOSE, 0, 0);
}

bool isMuteRow(int row) {
    return row >= 0 && controlTable[row].commandId == CMD_BUTTON_MUTE;
}

// The wheel changes the volume over the mute button, seeks over the seek bar, and otherwise
// scrolls the list under the pointer even when the list does not have the focus.
bool handleWheel(MSG& msg) {
    int delta = GET_WHEEL_DELTA_WPARAM(msg.wParam);
    if (isMuteRow(hotControl)) {
        changeVolume(-1, takeWheelNotch(delta));
        return true;
    }
    if (seekHover > 0 && media.seekable) {
        seekBarSoon(seekProgress + takeWheelNotch(delta));
        return true;
    }
    POINT pt = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    if (WindowFromPoint(pt) == playlistWindow)
        msg.hwnd = playlistWindow;
    return false;
}
} // namespace

bool preTranslateMessage(MSG& msg) {
    if (!mainWindowActive)
        return false;
    switch (msg.message) {
    case WM_KEYDOWN:
        if (mapKeyToCommand(static_cast<UINT>(msg.wParam)))
            return true;
        msg.hwnd = playlistWindow;
        return false;
    case WM_SYSKEYDOWN:
        handleSystemKey(msg);
        return true;
    case WM_MOUSEWHEEL:
        return handleWheel(msg);
    case WM_DROPFILES:
        // Handled here and not dispatched: the main window takes the drops that arrive while
        // another application is active, and each drop is handled once.
        handleDroppedFiles(reinterpret_cast<HDROP>(msg.wParam));
        return true;
    default:
        return false;
    }
}

int runMessageLoop() {
    MSG msg;
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1)
            return 0;
        if (preTranslateMessage(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
