// Building and reading play lists in core tests.
#pragma once
#include "core/m3u.h"
#include "core/playlist_model.h"

#include <string>
#include <vector>

// Entries in UTF-8, separated by '|': each "path", or "path,duration,title" with `details`. A list
// made from such text takes its titles from the paths where none are given.
Playlist listOf(const std::string& entries);
std::string shown(const Playlist& list, bool details = false);

// A code page of 256 characters (U+0000 to U+00FF): anything above is replaced by '?'. Bytes 0x80
// to 0x9F are not text in it, as some bytes are not in the system's code pages.
extern const CodePage kLatin1;
