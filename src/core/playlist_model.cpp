#include "core/playlist_model.h"

#include <new>

PlaylistEntry* AppendEntry(Playlist& list, const char16_t* path) {
    if (list.count >= kPlaylistCapacity || textLength(path) >= kPathUnits)
        return nullptr;
    PlaylistEntry* entry = new PlaylistEntry();
    copyTextWhole(entry->path, kPathUnits, path);
    TitleFromPath(*entry);
    list.entries[list.count++] = entry;
    return entry;
}

void TitleFromPath(PlaylistEntry& entry) {
    if (entry.title[0] != 0)
        return;
    long n = static_cast<long>(textLength(entry.path));
    long dot = -1;
    for (long i = n - 1; i >= 1; --i) {
        if (entry.path[i] == u'.') {
            dot = i;
            break;
        }
    }
    if (dot <= 1)
        return;
    long slash = -1;
    for (long i = dot - 1; i >= 1; --i) {
        if (entry.path[i] == u'\\') {
            slash = i;
            break;
        }
    }
    if (slash < 0)
        return;
    long length = dot - slash - 1;
    if (length > static_cast<long>(kTitleUnits) - 1)
        length = kTitleUnits - 1;
    for (long i = 0; i < length; ++i)
        entry.title[i] = entry.path[slash + 1 + i];
    entry.title[length] = 0;
}

void ClearPlaylist(Playlist& list) {
    list.selected = -1;
    list.current = -1;
    while (list.count > 0) {
        --list.count;
        delete list.entries[list.count];
        list.entries[list.count] = nullptr;
    }
}
