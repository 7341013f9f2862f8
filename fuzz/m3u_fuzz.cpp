// libFuzzer target: any bytes read as a play list must neither crash nor overrun, and whatever was
// read must come back the same through a write and a second read.
#include "core/m3u.h"
#include "list_support.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
bool hasLineBreak(const char16_t* s) {
    for (; *s != 0; ++s)
        if (*s == u'\r' || *s == u'\n')
            return true;
    return false;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Playlist first, second;
    parseM3u(reinterpret_cast<const char*>(data), size, first, kLatin1);
    std::string text;
    writeM3u(first, kLatin1, [&](const char* p, std::size_t n) {
        text.append(p, n);
        return true;
    });
    parseM3u(text.data(), text.size(), second, kLatin1);
    // A read path never holds a line break, so every entry survives the trip, except where a path
    // line itself reads like an information line (no file is named so) or is empty.
    int kept = 0;
    bool comparable = true;
    for (int i = 0; i < first.count; ++i) {
        const PlaylistEntry& e = *first.entries[i];
        if (hasLineBreak(e.path))
            std::abort();
        if (std::u16string(e.path).rfind(u"#EXTINF:", 0) == 0)
            comparable = false;
        if (e.path[0] == 0 && e.duration <= 0)
            continue;
        ++kept;
    }
    if (comparable && second.count < kept)
        std::abort();
    ClearPlaylist(first);
    ClearPlaylist(second);
    return 0;
}
