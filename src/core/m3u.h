// M3U play-list text: reading into a list and writing a list out.
#pragma once
#include "core/playlist_model.h"

#include <cstddef>
#include <string>

// Conversion between the system's 8-bit code page and UTF-16, handed in by the platform.
struct CodePage {
    // Appends the UTF-16 text of `size` bytes to `out`; false when some bytes are not text in the
    // code page (they are converted as well as the platform can).
    bool (*toUtf16)(const char* bytes, std::size_t size, std::u16string& out);
    // Appends the 8-bit text of `text` to `out`; sets *lossy when a character had no exact match.
    void (*fromUtf16)(const char16_t* text, std::size_t length, std::string& out, bool* lossy);
};

struct M3uRead {
    int added;  // entries appended to the list
    bool whole; // the entries hold everything the text did: writing the list back loses nothing
};

// Appends the records of `text` to `list`. The text is UTF-16 after its byte-order mark (either
// order); else UTF-8 after a UTF-8 mark, for a ".m3u8" file (`utf8Name`), or when it holds non-ASCII
// bytes that are all valid UTF-8; else it is in the code page. It ends at its first NUL. Lines end
// at CR, LF or both. Each line is, after white space around it: nothing (blank), the "#EXTM3U"
// header (as the first line), an information line ("#EXTINF:" length, attributes, ",", title) for
// the next path, another comment or tag ('#' first), or a path. A length's fraction rounds up; a
// title is kept whatever the length. Paths are made whole against `folder` (the list file's own,
// ending in a separator; empty: kept as written) by resolveListEntry. Not whole: comments,
// attributes, fractions, an information line without a path, paths rewritten, text that is not.
M3uRead parseM3u(const char* text, std::size_t size, Playlist& list, const CodePage& codePage, bool utf8Name,
                 const std::u16string& folder = std::u16string());

// The whole file text of `list`: "#EXTM3U", then per entry an information line (for a known length,
// or "#EXTINF:-1," with a title that came from a list) and its path, each after CR LF. Plain 8-bit text in
// the code page when every character converts; otherwise UTF-8 with a byte-order mark, so that nothing is
// lost. A ".m3u8" file is always UTF-8, without the mark: its name says so.
std::string m3uText(const Playlist& list, const CodePage& codePage, bool utf8Name);

// ".m3u" or ".m3u8" at the end of the path, in any case.
bool isListFileName(const char16_t* path);
bool isUtf8ListFileName(const char16_t* path);

// False when some bytes were not valid UTF-8 (each such byte becomes U+FFFD).
bool utf8ToUtf16(const char* bytes, std::size_t size, std::u16string& out);
void utf16ToUtf8(const char16_t* text, std::size_t length, std::string& out);
