// Extended M3U play-list text: reading into a list and writing a list out.
#pragma once
#include "core/playlist_model.h"

#include <cstddef>
#include <string>

// Conversion between the system's 8-bit code page and UTF-16, handed in by the platform.
struct CodePage {
    // Appends the UTF-16 text of `size` bytes to `out`.
    void (*toUtf16)(const char* bytes, std::size_t size, std::u16string& out);
    // Appends the 8-bit text of `text` to `out`; sets *lossy when a character had no exact match.
    void (*fromUtf16)(const char16_t* text, std::size_t length, std::string& out, bool* lossy);
};

constexpr std::size_t kM3uWriteBuffer = 66560;
constexpr std::size_t kM3uSmallestList = 11; // a file of 10 bytes or less counts as an empty list

// Appends the records of `text` (NUL-terminated at `size` or earlier) to `list`. Returns false only
// when the list filled up before the text ended. A text that is not a play list adds nothing.
bool parseM3u(const char* text, std::size_t size, Playlist& list, const CodePage& codePage);

// Writes `list` in pieces of less than 66,560 bytes through `write`. Plain 8-bit text in the code
// page when every character converts; otherwise UTF-8 with a byte-order mark, so nothing is lost.
// Returns false when a write failed.
template <class Write> bool writeM3u(const Playlist& list, const CodePage& codePage, Write write);

// Pieces of the writer, exposed for the template above.
bool m3uNeedsUtf8(const Playlist& list, const CodePage& codePage);
std::string m3uHeader(bool utf8);
std::string m3uEntryText(const PlaylistEntry& entry, bool utf8, const CodePage& codePage);

template <class Write> bool writeM3u(const Playlist& list, const CodePage& codePage, Write write) {
    bool utf8 = m3uNeedsUtf8(list, codePage);
    std::string buffer = m3uHeader(utf8);
    for (int i = 0; i < list.count; ++i) {
        std::string text = m3uEntryText(*list.entries[i], utf8, codePage);
        if (buffer.size() + text.size() >= kM3uWriteBuffer) {
            if (!write(buffer.data(), buffer.size()))
                return false;
            buffer.clear();
        }
        buffer += text;
    }
    return buffer.empty() || write(buffer.data(), buffer.size());
}

void utf8ToUtf16(const char* bytes, std::size_t size, std::u16string& out);
void utf16ToUtf8(const char16_t* text, std::size_t length, std::string& out);
