#include "core/playlist_model.h"

PlaylistEntry& AppendEntry(Playlist& list, std::u16string path) {
    auto entry = std::make_unique<PlaylistEntry>();
    entry->path = std::move(path);
    TitleFromPath(*entry);
    list.entries.push_back(std::move(entry));
    return *list.entries.back();
}

void TitleFromPath(PlaylistEntry& entry) {
    if (!entry.title.empty())
        return;
    const std::u16string& path = entry.path;
    std::size_t dot = path.rfind(u'.');
    if (dot == std::u16string::npos || dot <= 1)
        return;
    std::size_t slash = path.rfind(u'\\', dot - 1);
    if (slash == std::u16string::npos || slash < 1)
        return;
    entry.title = path.substr(slash + 1, dot - slash - 1);
}

void ClearPlaylist(Playlist& list) {
    list.selected = -1;
    list.current = -1;
    // From the last to the first, as the entries were added.
    while (!list.entries.empty())
        list.entries.pop_back();
}
