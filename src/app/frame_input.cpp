#include "app/frame_input.h"

#include "app/menu_states.h"
#include "app/shell.h"
#include "app/volume.h"
#include "core/command_ids.h"
#include "core/timers.h"
#include "playlist/playlist_window.h"
#include "skin/frame.h"
#include "skin/hint.h"
#include "skin/menu_bar.h"
#include "skin/seek_bar.h"
#include "skin/skin.h"
#include "win32/guards.h"

int mainMenuHotItem = -1;

namespace {
HHOOK menuFilterHook; // the hook's own handle, for passing messages on

void keepHovering() {
    SetTimer(mainWindow, kFrameHoverTimer, kFrameHoverPeriod, nullptr);
}

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
    int item = mainMenuHotItem;
    {
        ThreadHook hook(WH_MSGFILTER, filterMenuMessages);
        menuFilterHook = hook.get();
        HMENU popup = GetSubMenu(mainMenu, item);
        updateMenuStates(popup);
        runMenuPopup(mainWindow, popup, item, repaintMainMenuBar);
    }
    menuFilterHook = nullptr;
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(mainWindow, &p);
    int under = menuItemAt(p.y, mainMenu, p.x, mainMenuBarRect());
    // The title whose popup was just open does not open again under the same click.
    mainMenuHotItem = under == item ? -1 : under;
    repaintMainMenuBar();
}
} // namespace

void hoverFrame(const FrameHit& hit) {
    if (setHotControl(hit.row)) {
        if (hit.row < 0) {
            hideHint();
        } else {
            if (controlTable[hit.row].commandId == CMD_BUTTON_MUTE)
                showVolumeHintNow();
            else
                hideHint();
            keepHovering();
        }
    }
    if (setSeekHover(hit.seekOffset) && seekHover > 0)
        keepHovering();
}

void frameMouseMove(int x, int y) {
    int item = menuItemAt(y, mainMenu, x, mainMenuBarRect());
    if (item == mainMenuHotItem)
        return;
    mainMenuHotItem = item;
    repaintMainMenuBar();
    if (item >= 0)
        keepHovering();
}

void frameButtonDown() {
    if (hotControl >= 0)
        setPressedControl(hotControl);
    if (mainMenuHotItem >= 0)
        openMainMenuPopup();
    if (seekHover > 0)
        seekBarTo(seekHover);
}

void frameButtonUp() {
    if (pressedControl < 0)
        return;
    const SkinControl& pressed = controlTable[pressedControl];
    if (pressed.commandId == CMD_BUTTON_MUTE)
        changeVolume(pressed.latched ? 0 : 1, 0);
    else
        PostMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(pressed.commandId, 0), 0);
    setPressedControl(-1);
    forgetHotControl();
}

void frameHoverTick() {
    POINT cursor;
    GetCursorPos(&cursor);
    if (mainMenuHotItem >= 0) {
        if (menuOpenItem >= 0)
            return;
        POINT client = cursor;
        ScreenToClient(mainWindow, &client);
        if (menuItemAt(client.y, mainMenu, client.x, mainMenuBarRect()) < 0) {
            mainMenuHotItem = -1;
            repaintMainMenuBar();
            KillTimer(mainWindow, kFrameHoverTimer);
        }
        return;
    }
    if (WindowFromPoint(cursor) == mainWindow)
        return;
    hoverFrame({kHitClient, -1, 0, false});
    KillTimer(mainWindow, kFrameHoverTimer);
}

RECT mainMenuBarRect() {
    RECT client = {};
    GetClientRect(mainWindow, &client);
    if (playlistVisible)
        client.right -= playlistWidth;
    return client;
}

void repaintMainMenuBar() {
    if (mainWindow == nullptr || !frameShown())
        return;
    drawMenuBar(mainMenu, mainMenuHotItem, mainMenuBarRect(), WindowDc(mainWindow));
}
