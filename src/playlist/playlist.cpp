#include "playlist/playlist.h"

#include "core/transport_math.h"

#include "win32/wide.h"
#include "engine/disc.h"
#include "engine/media.h"
#include "playlist/playlist_window.h"
#include "playlist/saving.h"
#include "skin/frame.h"

Playlist mainList;
Playlist* discList;
Playlist* activeList = &mainList;
bool loopFlag;
SortMode sortMode = SortByPath;
bool batchAdding;

namespace {
// A disc list let go of while PlayEntry still works on one of its entries; freed when it is done.
Playlist* retiredDiscList;
// Set while a video CD's next file is opened: closing the file before does not end the disc.
bool keepingDiscList;

void freeRetiredDiscList() {
    if (retiredDiscList == nullptr)
        return;
    ClearPlaylist(*retiredDiscList);
    delete retiredDiscList;
    retiredDiscList = nullptr;
}
} // namespace

void PlayEntry(int index) {
    Playlist& list = *activeList;
    noteListChanged();
    if (loopFlag && index >= list.count())
        index = 0;
    if (index < 0 || index >= list.count()) {
        list.current = -1;
        setPlaybackState(Stopped);
        freeRetiredDiscList();
        return;
    }
    list.current = index;
    PlaylistEntry* entry = list.entries[static_cast<std::size_t>(index)].get();
    if (&list == discList && media.kind == MediaKind::Disc) {
        playDiscEntry(*entry);
        return;
    }
    keepingDiscList = &list == discList;
    bool opening = openMedia(asWide(entry->path.data()));
    keepingDiscList = false;
    if (opening) {
        setStatusText(asWide(entry->title.c_str()));
        if (EnsureVisible(activeList->current) == 0)
            RedrawList();
    }
    freeRetiredDiscList();
}

void recordPlayingLength() {
    // The entry being played, unless the list changed under it while its file opened.
    Playlist& list = *activeList;
    if (list.current < 0 || list.current >= list.count() || media.kind == MediaKind::Disc)
        return;
    PlaylistEntry& entry = *list.entries[static_cast<std::size_t>(list.current)];
    if (asWide(entry.path.c_str()) != media.path)
        return;
    entry.duration = static_cast<int>(media.duration / kUnitsPerSecond);
    entry.timeText[0] = 0;
    RedrawList();
}

void PlayChosenEntry() {
    ensureListLoaded();
    const Playlist& list = *activeList;
    // Play is the user's wish to hear something: with no current entry, the highlighted one, else
    // the first.
    int index = list.current;
    if (index < 0 || index >= list.count())
        index = list.selected >= 0 && list.selected < list.count() ? list.selected : 0;
    PlayEntry(index);
}

void PlayNext() {
    PlayEntry(activeList->current + 1);
}

void PlayPrevious() {
    PlayEntry(activeList->current - 1);
}

void ShufflePlaylist() {
    static ShuffleRandom random;
    activeList->current = -1;
    shuffleEntries(*activeList, random);
    noteListChanged();
    RedrawList();
    drawControls();
}

void sortKeyOf(const char16_t* text, std::string& key) {
    // The locale and flags of lstrcmpW, so that the keys order texts exactly as it does.
    LCID locale = GetThreadLocale();
    int n = LCMapStringW(locale, LCMAP_SORTKEY, asWide(text), -1, nullptr, 0);
    key.assign(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
    if (n > 0)
        LCMapStringW(locale, LCMAP_SORTKEY, asWide(text), -1, reinterpret_cast<wchar_t*>(key.data()), n);
}

void sortActiveRange(int first, int last, SortMode mode) {
    SortRangeByKeys(*activeList, first, last, mode, sortKeyOf);
}

void SortPlaylist(SortMode mode) {
    sortMode = mode;
    activeList->current = -1;
    sortActiveRange(0, activeList->count() - 1, mode);
    noteListChanged();
    RedrawList();
    drawControls();
}

void clearActiveList(bool redraw) {
    ClearPlaylist(*activeList);
    noteListChanged();
    if (redraw) {
        drawControls();
        RedrawList();
    }
}

void DiscardDiscList() {
    if (discList == nullptr || keepingDiscList)
        return;
    if (activeList == discList)
        activeList = &mainList;
    // Its entries may still be in use by the PlayEntry that is opening one of them.
    freeRetiredDiscList();
    retiredDiscList = discList;
    discList = nullptr;
    RedrawList();
}
