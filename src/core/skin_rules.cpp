#include "core/skin_rules.h"
#include "core/command_ids.h"
#include "core/playback_state.h"

bool isCommandEnabled(int commandId, const SkinState& s) {
    switch (commandId) {
    case CMD_PLAY_PAUSE:
        return s.count > 0 || s.playbackState != Stopped;
    case CMD_STOP:
        return s.playbackState != Stopped;
    case CMD_PREVIOUS:
        return s.count > 1 && s.current > 0;
    case CMD_NEXT:
        return s.count > 1 && (s.current < s.count - 1 || s.loop);
    default:
        return true;
    }
}

bool isControlVisible(const SkinControl& c, const SkinState& s) {
    switch (c.commandId) {
    case CMD_PLAY_PAUSE:
        return s.playbackState != Playing;
    case CMD_PAUSE:
        return s.playbackState == Playing;
    case CMD_BUTTON_RESTORE:
        return false;
    default:
        return true;
    }
}

int controlImage(int row, const SkinControl& c, const SkinState& s) {
    if (c.commandId >= CMD_PLAY_PAUSE && c.commandId <= CMD_NEXT && !isCommandEnabled(c.commandId, s))
        return 3;
    if (c.latched != 0)
        return 2;
    if (row == s.hotControl)
        return row == s.pressedControl ? 2 : 1;
    return 0;
}

int controlAt(const SkinControl (&table)[kControlCount], int x, int y, int width, int height,
              const SkinState& s) {
    for (int row = 0; row < kControlCount; ++row) {
        const SkinControl& c = table[row];
        if (!isControlVisible(c, s))
            continue;
        int left = resolveEdge(c.x, width);
        int top = resolveEdge(c.y, height);
        if (x >= left && x <= left + c.width && y >= top && y <= top + c.height)
            return row;
    }
    return -1;
}
