#include "core/entry_paths.h"
#include "engine/media.h"
#include "win32/long_path.h"
#include "win32/wide.h"
#include "playlist/playlist.h"
#include "playlist/playlist_window.h"
#include "playlist/saving.h"
#include "skin/frame.h"

#include <string>

namespace {
// A folder gives its own files, a list its entries, an address itself; a path that names nothing
// is skipped.
void addArrivingPath(std::wstring path) {
    if (isFileAddress(asU16(path.c_str()))) {
        bool exact = true;
        path = asWide(pathFromFileAddress(asU16(path.c_str()), &exact).c_str());
    } else if (isAddress(asU16(path.c_str()))) {
        AddFile(path.c_str());
        return;
    }
    DWORD attributes = GetFileAttributesW(extendedPath(path).c_str());
    if (path.empty() || attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        AddFolder(path.c_str());
    else
        AddFile(path.c_str());
}

// Adds the paths sorted behind the current entry; with `playFirst` the first of them starts, with
// `whenStopped` the entry after the current one starts if nothing plays.
void takeArrivingPaths(const std::vector<std::wstring>& paths, bool playFirst, bool whenStopped) {
    ensureListLoaded();
    Playlist& list = *activeList;
    int first = list.count();
    batchAdding = true;
    for (const std::wstring& path : paths)
        addArrivingPath(path);
    int placed = placeDroppedEntries(list, first, sortMode, sortKeyOf);
    noteListChanged();
    if ((playFirst && list.count() > first) || (whenStopped && playbackState == Stopped))
        PlayEntry(placed);
    batchAdding = false;
    drawControls();
    RedrawList();
}
} // namespace

void handleDroppedFiles(HDROP drop) {
    std::vector<std::wstring> paths;
    UINT n = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < n; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
        DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
        paths.push_back(std::move(path));
    }
    DragFinish(drop);
    if (!paths.empty())
        takeArrivingPaths(paths, false, true);
}

void openShellPaths(const std::vector<std::wstring>& paths, bool play) {
    ensureListLoaded();
    // The shell's files belong in the user's list: a disc's list ends with them.
    if (activeList == discList && discList != nullptr) {
        if (playbackState != Stopped)
            setPlaybackState(Stopped);
        DiscardDiscList();
    }
    takeArrivingPaths(paths, play, false);
}
