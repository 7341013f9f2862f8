#include "app/shell.h"
#include "core/text.h"
#include "engine/media.h"
#include "playlist/playlist.h"
#include "playlist/playlist_window.h"
#include "skin/frame.h"

void handleDroppedFiles(HDROP drop) {
    UINT n = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    if (n == 0) {
        DragFinish(drop);
        return;
    }
    Playlist& list = *activeList;
    int first = list.count;
    batchAdding = true;
    for (UINT i = 0; i < n; ++i) {
        // A path too long for an entry is skipped: cut, it would name another file.
        if (DragQueryFileW(drop, i, nullptr, 0) >= kPathUnits)
            continue;
        wchar_t path[kPathUnits] = {};
        DragQueryFileW(drop, i, path, kPathUnits);
        DWORD attributes = GetFileAttributesW(path);
        if (attributes == INVALID_FILE_ATTRIBUTES)
            continue;
        bool room = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? AddFolder(path) : AddFile(path);
        if (!room)
            break;
    }
    DragFinish(drop);
    sortActiveRange(first, list.count - 1, sortMode);
    MoveBlock(list, list.count - first, first, list.current + 1);
    if (playbackState == Stopped)
        PlayEntry(list.current + 1);
    batchAdding = false;
    drawControls(mainWindow);
    RedrawList();
}
