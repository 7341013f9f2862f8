#include "engine/media.h"
#include "win32/long_path.h"
#include "playlist/playlist.h"
#include "playlist/playlist_window.h"
#include "playlist/saving.h"
#include "skin/frame.h"

#include <string>

void handleDroppedFiles(HDROP drop) {
    ensureListLoaded();
    UINT n = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    if (n == 0) {
        DragFinish(drop);
        return;
    }
    Playlist& list = *activeList;
    int first = list.count();
    batchAdding = true;
    for (UINT i = 0; i < n; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
        if (path.empty())
            continue;
        DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
        DWORD attributes = GetFileAttributesW(extendedPath(path).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            continue;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            AddFolder(path.c_str());
        else
            AddFile(path.c_str());
    }
    DragFinish(drop);
    int placed = placeDroppedEntries(list, first, sortMode, sortKeyOf);
    noteListChanged();
    if (playbackState == Stopped)
        PlayEntry(placed);
    batchAdding = false;
    drawControls();
    RedrawList();
}
