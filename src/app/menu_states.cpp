#include "app/menu_states.h"

#include "app/shell.h"
#include "core/command_ids.h"
#include "core/skin_rules.h"
#include "engine/media.h"
#include "skin/frame.h"

namespace {
void enable(HMENU popup, UINT command, bool on) {
    EnableMenuItem(popup, command, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}
} // namespace

void updateMenuStates(int position, HMENU popup) {
    switch (position) {
    case 0:
        enable(popup, CMD_FILE_OPEN_LOCATION, false);
        enable(popup, CMD_FILE_SNAPSHOT, static_cast<bool>(media.windowless));
        break;
    case 1:
        CheckMenuItem(popup, CMD_VIEW_PLAYLIST, MF_BYCOMMAND | (playlistVisible ? MF_CHECKED : MF_UNCHECKED));
        break;
    case 2: {
        SkinState s = currentSkinState();
        bool open = isCommandEnabled(CMD_STOP, s);
        for (UINT command : {CMD_FRAME_STEP, CMD_STOP, CMD_SKIP_BACK, CMD_SKIP_FORWARD})
            enable(popup, command, open);
        enable(popup, CMD_PREVIOUS, isCommandEnabled(CMD_PREVIOUS, s));
        enable(popup, CMD_NEXT, isCommandEnabled(CMD_NEXT, s));
        break;
    }
    default:
        break;
    }
}
