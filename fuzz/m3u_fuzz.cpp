// libFuzzer target: any bytes read as a play list must neither crash nor overrun, and whatever was
// read must come back the same through a write and a second read, which loses nothing.
#include "core/m3u.h"
#include "list_support.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
void check(bool condition) {
    if (!condition)
        std::abort();
}

// The entries a file can hold: an entry with neither a path nor a length writes nothing of itself.
std::vector<const PlaylistEntry*> kept(const Playlist& list) {
    std::vector<const PlaylistEntry*> out;
    for (const auto& e : list.entries)
        if (!e->path.empty() || e->duration > 0)
            out.push_back(e.get());
    return out;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The last byte chooses the file's name: ".m3u8" or ".m3u".
    bool utf8Name = size > 0 && (data[size - 1] & 1) != 0;
    const char* bytes = reinterpret_cast<const char*>(data);
    Playlist first, second;
    M3uRead read = parseM3u(bytes, size, first, kLatin1, utf8Name);
    check(read.added == first.count());
    std::string text = m3uText(first, kLatin1, utf8Name);
    check(text.find('\0') == std::string::npos);
    M3uRead again = parseM3u(text.data(), text.size(), second, kLatin1, utf8Name);

    // A read path never holds a line break. Two records cannot come back: a path line that reads
    // like an information line (it followed one), and a length with no path, which takes the next
    // record's path.
    bool comparable = true;
    for (std::size_t i = 0; i < first.entries.size(); ++i) {
        const PlaylistEntry& e = *first.entries[i];
        check(e.path.find_first_of(u"\r\n") == std::u16string::npos);
        if (e.path.rfind(u"#EXTINF:", 0) == 0 ||
            (e.path.empty() && e.duration > 0 && i + 1 < first.entries.size()))
            comparable = false;
    }
    if (!comparable)
        return 0;
    check(again.whole);
    std::vector<const PlaylistEntry*> a = kept(first), b = kept(second);
    check(a.size() == b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        check(a[i]->path == b[i]->path);
        check((a[i]->duration > 0 ? a[i]->duration : 0) == b[i]->duration);
        if (a[i]->duration > 0)
            check(a[i]->title == b[i]->title);
    }
    // A plain list of paths alone is read whole, one entry a line.
    if (read.whole && !text.empty() && size > 0 && data[0] != '#' && data[0] != 0xEF) {
        std::size_t lines = 0;
        for (std::size_t i = 0; i < size; ++i)
            if (bytes[i] != '\r' && bytes[i] != '\n' &&
                (i == 0 || bytes[i - 1] == '\r' || bytes[i - 1] == '\n'))
                ++lines;
        check(static_cast<std::size_t>(first.count()) == lines);
    }
    return 0;
}
