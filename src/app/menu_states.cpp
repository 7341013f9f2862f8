#include "app/menu_states.h"

#include "core/skin_rules.h"
#include "engine/media.h"
#include "engine/snapshot.h"
#include "playlist/playlist_window.h"
#include "skin/frame.h"

void updateMenuStates(HMENU popup) {
    SkinState s = currentSkinState();
    s.snapshotReady = snapshotPossible();
    s.listShown = playlistVisible;
    for (int command : kMenuRuledCommands) {
        UINT id = static_cast<UINT>(command);
        EnableMenuItem(popup, id, MF_BYCOMMAND | (isCommandEnabled(command, s) ? MF_ENABLED : MF_GRAYED));
        if (isCommandChecked(command, s))
            CheckMenuItem(popup, id, MF_BYCOMMAND | MF_CHECKED);
        else
            CheckMenuItem(popup, id, MF_BYCOMMAND | MF_UNCHECKED);
    }
}
