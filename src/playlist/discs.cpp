#include "playlist/discs.h"

#include "core/disc_list.h"
#include "engine/disc.h"
#include "engine/media.h"
#include "playlist/playlist.h"
#include "playlist/playlist_window.h"
#include "skin/frame.h"
#include "win32/long_path.h"

#include <string>

namespace {
// A new, empty disc list, made the active one; the one before is let go of.
Playlist& freshDiscList() {
    DiscardDiscList();
    discList = new Playlist;
    activeList = discList;
    return *discList;
}

void openVcd(const std::wstring& folder) {
    if (playbackState != Stopped)
        setPlaybackState(Stopped);
    freshDiscList();
    batchAdding = true;
    AddFolder(folder.c_str());
    // A disc's tracks are numbered in their names; the file system need not list them in order.
    sortActiveRange(0, activeList->count() - 1, SortByPath);
    batchAdding = false;
    drawControls();
    RedrawList();
    PlayEntry(0);
}

} // namespace

void discOpened() {
    if (!media.discInfo)
        return;
    fillDvdList(freshDiscList(), media.discChapters);
    RedrawList();
}

void findDisc() {
    // A disc's list becomes the active one: last run's list must be in the main list before that.
    ensureListLoaded();
    // Room for every drive letter's root ("C:\" and its NUL), so that none is left unexamined.
    wchar_t drives[26 * 4 + 1] = {};
    DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(std::size(drives)), drives);
    if (length == 0 || length >= std::size(drives))
        return;
    for (const wchar_t* root = drives; *root != 0; root += wcslen(root) + 1) {
        if (!driveMayHoldDisc(GetDriveTypeW(root)))
            continue;
        if (pathExists(std::wstring(root) + L"MPEGAV"))
            return openVcd(std::wstring(root) + L"MPEGAV");
        if (pathExists(std::wstring(root) + L"VIDEO_TS"))
            return void(openDvdGraph());
    }
}

void followDiscTitle(int title) {
    if (discList == nullptr)
        return;
    int index = dvdTitleEntry(*discList, title);
    if (index < 0)
        return;
    discList->current = index;
    if (activeList == discList)
        RedrawList();
}

void followDiscChapter(int chapter) {
    if (discList == nullptr)
        return;
    int title = static_cast<int>(media.currentDvdTitle);
    int index = dvdChapterEntry(*discList, title, chapter);
    if (index < 0)
        return;
    discList->current = index;
    int owner = dvdTitleAwaitingLength(*discList, index, title);
    if (owner >= 0) {
        PlaylistEntry& entry = *discList->entries[static_cast<std::size_t>(owner)];
        entry.duration = readDvdTitleLength();
        entry.timeText[0] = 0;
    }
    if (activeList == discList)
        RedrawList();
}
