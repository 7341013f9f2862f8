// Building and reading play lists in core tests.
#pragma once
#include "core/m3u.h"
#include "core/playlist_model.h"

#include <memory>
#include <string>
#include <vector>

// A list that frees its entries when the test ends.
struct TestList {
    std::unique_ptr<Playlist> list = std::make_unique<Playlist>();
    TestList() {
        list->current = -1;
        list->selected = -1;
    }
    explicit TestList(const std::vector<std::u16string>& paths) : TestList() {
        for (const auto& p : paths)
            AppendEntry(*list, p.c_str());
    }
    ~TestList() { ClearPlaylist(*list); }
    Playlist& operator*() { return *list; }
    Playlist* operator->() { return list.get(); }
    std::u16string path(int i) const { return list->entries[i]->path; }
    std::u16string title(int i) const { return list->entries[i]->title; }
    std::vector<std::u16string> paths() const {
        std::vector<std::u16string> out;
        for (int i = 0; i < list->count; ++i)
            out.push_back(path(i));
        return out;
    }
};

// A code page of 256 characters (U+0000 to U+00FF): anything above is replaced by '?'.
extern const CodePage kLatin1;
