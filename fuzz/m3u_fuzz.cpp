// libFuzzer target: any bytes read as a play list must neither crash nor overrun, and whatever was
// read must come back the same through a write and a second read, which loses nothing.
#include "core/m3u.h"
#include "list_support.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
void check(bool condition) {
    if (!condition)
        std::abort();
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::u16string trimmed(const std::u16string& s) {
    std::size_t b = s.find_first_not_of(u" \t\v\f"), e = s.find_last_not_of(u" \t\v\f");
    return b == std::u16string::npos ? std::u16string() : s.substr(b, e - b + 1);
}

// The length a written entry comes back with: its own when known, -1 for a list's title without one.
int writtenLength(const PlaylistEntry& e) {
    return e.duration > 0 ? e.duration : e.titleFromList && !e.title.empty() ? -1 : 0;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The last byte chooses the file's name (".m3u8" or ".m3u") and whether it lies in a folder.
    bool utf8Name = size > 0 && (data[size - 1] & 1) != 0;
    std::u16string folder = size > 0 && (data[size - 1] & 2) != 0 ? u"C:\\lists\\" : u"";
    const char* bytes = reinterpret_cast<const char*>(data);
    Playlist first, second;
    M3uRead read = parseM3u(bytes, size, first, kLatin1, utf8Name, folder);
    check(read.added == first.count());
    std::string text = m3uText(first, kLatin1, utf8Name);
    check(text.find('\0') == std::string::npos);
    M3uRead again = parseM3u(text.data(), text.size(), second, kLatin1, utf8Name, folder);

    // Every entry read comes back through a write and a second read, which loses nothing.
    check(again.whole);
    check(first.count() == second.count());
    for (std::size_t i = 0; i < first.entries.size(); ++i) {
        const PlaylistEntry &a = *first.entries[i], &b = *second.entries[i];
        check(!a.path.empty() && a.path.find_first_of(u"\r\n") == std::u16string::npos);
        check(a.path == b.path);
        check(writtenLength(a) == b.duration);
        check(trimmed(a.title) == trimmed(b.title));
    }
    // Read whole, a list has an entry for every line that is neither blank nor '#' first.
    if (read.whole && size >= 2 && bytes[0] != '\xFF' && bytes[0] != '\xFE') {
        int lines = 0;
        for (std::size_t i = size >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0; i < size;) {
            while (i < size && isBlank(bytes[i]))
                ++i;
            if (i < size && bytes[i] != '\r' && bytes[i] != '\n' && bytes[i] != '#')
                ++lines;
            while (i < size && bytes[i] != '\r' && bytes[i] != '\n')
                ++i;
            ++i;
        }
        check(first.count() == lines);
    }
    return 0;
}
