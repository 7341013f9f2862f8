#include "core/skin_table.h"
#include "core/command_ids.h"

void fillControlTable(SkinControl (&table)[kControlCount], bool muted) {
    const SkinControl rows[kControlCount] = {
        {10, -38, 30, 30, CMD_PLAY_PAUSE, 0},     {10, -38, 30, 30, CMD_PAUSE, 0},
        {43, -34, 22, 22, CMD_STOP, 0},           {79, -34, 22, 22, CMD_PREVIOUS, 0},
        {104, -34, 22, 22, CMD_NEXT, 0},          {140, -34, 22, 22, CMD_BUTTON_MUTE, muted ? 1 : 0},
        {-60, 4, 17, 19, CMD_BUTTON_MINIMISE, 0}, {-42, 4, 17, 19, CMD_BUTTON_FULLSCREEN, 0},
        {-42, 4, 17, 19, CMD_BUTTON_RESTORE, 0},  {-24, 4, 17, 19, CMD_FILE_EXIT, 0},
    };
    for (int i = 0; i < kControlCount; ++i)
        table[i] = rows[i];
}

ResolvedRect resolveEdgeRect(const EdgeRect& r, int width, int height) {
    return {resolveEdge(r.left, width), resolveEdge(r.top, height), resolveEdge(r.right, width),
            resolveEdge(r.bottom, height)};
}
