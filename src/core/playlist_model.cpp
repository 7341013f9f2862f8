#include "core/playlist_model.h"

#include "core/entry_paths.h"

PlaylistEntry& AppendEntry(Playlist& list, std::u16string path) {
    auto entry = std::make_unique<PlaylistEntry>();
    entry->path = std::move(path);
    TitleFromPath(*entry);
    list.entries.push_back(std::move(entry));
    return *list.entries.back();
}

void TitleFromPath(PlaylistEntry& entry) {
    if (entry.title.empty())
        entry.title = titleOf(entry.path);
}

void ClearPlaylist(Playlist& list) {
    list.selected = -1;
    list.current = -1;
    // From the last to the first, as the entries were added.
    while (!list.entries.empty())
        list.entries.pop_back();
}
