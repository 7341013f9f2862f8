// Building and reading play lists in core tests.
#pragma once
#include "core/m3u.h"
#include "core/playlist_model.h"

#include <string>
#include <vector>

struct TestList {
    Playlist list;
    TestList() = default;
    explicit TestList(const std::vector<std::u16string>& paths) {
        for (const auto& p : paths)
            AppendEntry(list, p);
    }
    Playlist& operator*() { return list; }
    Playlist* operator->() { return &list; }
    std::u16string path(int i) const { return list.entries[static_cast<std::size_t>(i)]->path; }
    std::u16string title(int i) const { return list.entries[static_cast<std::size_t>(i)]->title; }
    PlaylistEntry& entry(int i) { return *list.entries[static_cast<std::size_t>(i)]; }
    std::vector<std::u16string> paths() const {
        std::vector<std::u16string> out;
        for (const auto& e : list.entries)
            out.push_back(e->path);
        return out;
    }
};

// A code page of 256 characters (U+0000 to U+00FF): anything above is replaced by '?'. Bytes 0x80
// to 0x9F are not text in it, as some bytes are not in the system's code pages.
extern const CodePage kLatin1;
