#include "core/m3u.h"

#include <climits>
#include <cstring>

namespace {
const char kHeader[] = "#EXTM3U\r\n";
const char kInfo[] = "#EXTINF:";
const char kBom[] = "\xEF\xBB\xBF";

// Leading white space, an optional sign, then digits up to the first other character; no digits
// give 0. Values beyond the 32-bit range stop at its ends.
int readNumber(const char* p, const char* end) {
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\v' || *p == '\f'))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    long long value = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > INT_MAX)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<int>(value);
}

struct Decoder {
    bool utf8;
    const CodePage& codePage;
    void operator()(const char* begin, const char* end, std::u16string& out) const {
        out.clear();
        if (utf8)
            utf8ToUtf16(begin, static_cast<std::size_t>(end - begin), out);
        else if (end > begin)
            codePage.toUtf16(begin, static_cast<std::size_t>(end - begin), out);
    }
};
} // namespace

bool parseM3u(const char* text, std::size_t size, Playlist& list, const CodePage& codePage) {
    const char* p = text;
    const char* limit = text + size;
    bool utf8 = false;
    if (size >= 3 && std::memcmp(p, kBom, 3) == 0) {
        utf8 = true;
        p += 3;
    }
    std::size_t headerLength = sizeof kHeader - 1;
    if (static_cast<std::size_t>(limit - p) < headerLength || std::memcmp(p, kHeader, headerLength) != 0)
        return true;
    p += headerLength;
    // The text ends at its first NUL or at the end of the buffer.
    const char* end = static_cast<const char*>(std::memchr(p, 0, static_cast<std::size_t>(limit - p)));
    if (end == nullptr)
        end = limit;
    Decoder decode{utf8, codePage};
    std::u16string field;
    auto lineEnd = [end](const char* from) {
        while (from < end && *from != '\r' && *from != '\n')
            ++from;
        return from;
    };
    auto skipBreaks = [end](const char* from) {
        while (from < end && (*from == '\r' || *from == '\n'))
            ++from;
        return from;
    };
    while (p < end) {
        PlaylistEntry entry = {};
        std::size_t infoLength = sizeof kInfo - 1;
        if (static_cast<std::size_t>(end - p) >= infoLength && std::memcmp(p, kInfo, infoLength) == 0) {
            p += infoLength;
            const char* eol = lineEnd(p);
            const char* comma =
                static_cast<const char*>(std::memchr(p, ',', static_cast<std::size_t>(eol - p)));
            const char* titleStart = p;
            if (comma != nullptr) {
                entry.duration = readNumber(p, comma);
                titleStart = comma + 1;
            }
            decode(titleStart, eol, field);
            copyTextCut(entry.title, kTitleUnits, field.c_str());
            p = skipBreaks(eol);
        }
        const char* eol = lineEnd(p);
        decode(p, eol, field);
        p = skipBreaks(eol);
        // A path that does not fit would name another file: such a record is left out.
        if (field.size() >= kPathUnits)
            continue;
        if (list.count >= kPlaylistCapacity)
            return false;
        PlaylistEntry* added = new PlaylistEntry(entry);
        copyTextWhole(added->path, kPathUnits, field.c_str());
        TitleFromPath(*added);
        list.entries[list.count++] = added;
    }
    return true;
}

bool m3uNeedsUtf8(const Playlist& list, const CodePage& codePage) {
    std::string scratch;
    for (int i = 0; i < list.count; ++i) {
        const PlaylistEntry& e = *list.entries[i];
        bool lossy = false;
        scratch.clear();
        codePage.fromUtf16(e.path, textLength(e.path), scratch, &lossy);
        if (e.duration > 0)
            codePage.fromUtf16(e.title, textLength(e.title), scratch, &lossy);
        if (lossy)
            return true;
    }
    return false;
}

std::string m3uHeader(bool utf8) {
    return utf8 ? std::string(kBom) + "#EXTM3U" : std::string("#EXTM3U");
}

std::string m3uEntryText(const PlaylistEntry& entry, bool utf8, const CodePage& codePage) {
    std::string text;
    auto append = [&](const char16_t* s) {
        bool lossy = false;
        if (utf8)
            utf16ToUtf8(s, textLength(s), text);
        else
            codePage.fromUtf16(s, textLength(s), text, &lossy);
    };
    if (entry.duration > 0) {
        text += "\r\n#EXTINF:";
        text += std::to_string(entry.duration);
        text += ",";
        append(entry.title);
    }
    text += "\r\n";
    append(entry.path);
    return text;
}

void utf8ToUtf16(const char* bytes, std::size_t size, std::u16string& out) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes);
    const unsigned char* end = p + size;
    while (p < end) {
        unsigned c = *p;
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || end - p <= extra) {
            out += u'\uFFFD';
            ++p;
            continue;
        }
        unsigned code = extra == 0 ? c : c & (0x3F >> extra);
        bool ok = true;
        for (int i = 1; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                ok = false;
            code = (code << 6) | (p[i] & 0x3F);
        }
        static const unsigned smallest[] = {0, 0x80, 0x800, 0x10000};
        if (!ok || code < smallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            out += u'\uFFFD';
            ++p;
            continue;
        }
        p += extra + 1;
        if (code >= 0x10000) {
            code -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (code >> 10));
            out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
    }
}

void utf16ToUtf8(const char16_t* text, std::size_t length, std::string& out) {
    for (std::size_t i = 0; i < length; ++i) {
        unsigned code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
}
