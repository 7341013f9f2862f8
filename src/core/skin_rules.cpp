#include "core/skin_rules.h"
#include "core/command_ids.h"
#include "core/playback_state.h"

bool isCommandEnabled(int commandId, const SkinState& s) {
    switch (commandId) {
    case CMD_PLAY_PAUSE:
        return s.count > 0 || s.playbackState != Stopped;
    case CMD_STOP:
    case CMD_FRAME_STEP:
    case CMD_SKIP_BACK:
    case CMD_SKIP_FORWARD:
        return s.playbackState != Stopped;
    case CMD_FILE_OPEN_LOCATION:
        return false;
    case CMD_FILE_SNAPSHOT:
        return s.snapshotReady;
    case CMD_PREVIOUS:
        return s.count > 1 && s.current > 0;
    case CMD_NEXT:
        return s.count > 1 && (s.current < s.count - 1 || s.loop);
    default:
        return true;
    }
}

bool isCommandChecked(int commandId, const SkinState& s) {
    switch (commandId) {
    case CMD_VIEW_PLAYLIST:
        return s.listShown;
    case CMD_LIST_LOOP:
        return s.loop;
    default:
        return false;
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
    for (const SkinControl& c : table) {
        if (!isControlVisible(c, s))
            continue;
        int left = resolveEdge(c.x, width);
        int top = resolveEdge(c.y, height);
        if (x >= left && x <= left + c.width && y >= top && y <= top + c.height)
            return static_cast<int>(&c - table);
    }
    return -1;
}

FrameHit hitTestFrame(int x, int y, int width, int height, int captionHeight, bool playlistVisible,
                      const SkinControl (&table)[kControlCount], const SkinState& s,
                      const EdgeRect& seekBar) {
    FrameHit hit = {kHitClient, controlAt(table, x, y, width, height, s), 0, false};
    if (hit.row >= 0)
        return hit;
    // The bar's first column is no offset into it: a hover there is none.
    ResolvedRect bar = resolveEdgeRect(seekBar, width, height);
    if (x > bar.left && x <= bar.right && y >= bar.top && y <= bar.bottom) {
        hit.seekOffset = x - bar.left;
        return hit;
    }
    bool bottom = y > height - 6;
    if (y < captionHeight)
        hit.code = kHitCaption;
    else if (x < 6)
        hit.code = bottom ? kHitBottomLeft : kHitLeft;
    else if (x > width - 6) {
        hit.code = bottom ? kHitBottomRight : kHitRight;
        hit.resizingPlaylist = !bottom && playlistVisible;
    } else if (bottom)
        hit.code = kHitBottom;
    return hit;
}
