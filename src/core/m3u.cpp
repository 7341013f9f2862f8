#include "core/m3u.h"

#include "core/text.h"

#include <climits>
#include <cstring>

namespace {
const char kHeader[] = "#EXTM3U";
const char kInfo[] = "#EXTINF:";
const char kBom[] = "\xEF\xBB\xBF";
constexpr std::size_t kHeaderLength = sizeof kHeader - 1;
constexpr std::size_t kInfoLength = sizeof kInfo - 1;

bool startsWith(const char* p, const char* end, const char* prefix, std::size_t length) {
    return static_cast<std::size_t>(end - p) >= length && std::memcmp(p, prefix, length) == 0;
}

// Leading white space, an optional sign, then digits up to the first other character; no digits
// give 0. Values beyond the 32-bit range stop at its ends, and *exact is cleared.
int readNumber(const char* p, const char* end, bool* exact) {
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\v' || *p == '\f'))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    long long value = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > INT_MAX) {
            value = static_cast<long long>(INT_MAX) + 1;
            *exact = false;
        }
    }
    if (negative)
        value = -value;
    if (value > INT_MAX) {
        value = INT_MAX;
        *exact = false;
    }
    return static_cast<int>(value);
}

// UTF-8 and every system code page give each ASCII character its own byte, so ASCII text (most
// paths) is copied in either direction without a conversion.
template <class Unit> bool allAscii(const Unit* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i)
        if (static_cast<unsigned>(text[i]) >= 0x80)
            return false;
    return true;
}

// ASCII units as the bytes they are.
void appendAscii(std::string& out, const char16_t* text, std::size_t length) {
    std::size_t at = out.size();
    out.resize(at + length);
    for (std::size_t i = 0; i < length; ++i)
        out[at + i] = static_cast<char>(text[i]);
}

// Decodes one byte range of the file's text into `out`; clears `whole` when bytes were not text.
struct Decoder {
    bool utf8;
    const CodePage& codePage;
    bool* whole;
    void operator()(const char* begin, const char* end, std::u16string& out) const {
        out.clear();
        if (end <= begin)
            return;
        std::size_t n = static_cast<std::size_t>(end - begin);
        if (allAscii(begin, n)) {
            out.assign(begin, end);
            return;
        }
        bool ok = utf8 ? utf8ToUtf16(begin, n, out) : codePage.toUtf16(begin, n, out);
        if (!ok)
            *whole = false;
    }
};

// The length of the UTF-8 sequence starting at p (1 to 4), or 0 when none starts there.
int utf8SequenceAt(const unsigned char* p, const unsigned char* end, unsigned* code) {
    unsigned c = *p;
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0 || end - p <= extra)
        return 0;
    unsigned value = extra == 0 ? c : c & (0x3Fu >> extra);
    for (int i = 1; i <= extra; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (p[i] & 0x3F);
    }
    static const unsigned smallest[] = {0, 0x80, 0x800, 0x10000};
    if (value < smallest[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *code = value;
    return extra + 1;
}

// Text with bytes above ASCII that are all well-formed UTF-8.
bool looksLikeUtf8(const char* begin, const char* end) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(begin);
    const unsigned char* e = reinterpret_cast<const unsigned char*>(end);
    bool high = false;
    while (p < e) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        unsigned code;
        int n = utf8SequenceAt(p, e, &code);
        if (n == 0)
            return false;
        high = true;
        p += n;
    }
    return high;
}

const char* lineEnd(const char* from, const char* end) {
    while (from < end && *from != '\r' && *from != '\n')
        ++from;
    return from;
}

const char* skipBreaks(const char* from, const char* end) {
    while (from < end && (*from == '\r' || *from == '\n'))
        ++from;
    return from;
}

void append(Playlist& list, PlaylistEntry&& entry, M3uRead& read) {
    list.entries.push_back(std::make_unique<PlaylistEntry>(std::move(entry)));
    TitleFromPath(*list.entries.back());
    ++read.added;
}

void parseExtended(const char* p, const char* end, Playlist& list, const Decoder& decode, M3uRead& read) {
    std::u16string field;
    while (p < end) {
        PlaylistEntry entry;
        if (startsWith(p, end, kInfo, kInfoLength)) {
            p += kInfoLength;
            const char* eol = lineEnd(p, end);
            const char* comma =
                static_cast<const char*>(std::memchr(p, ',', static_cast<std::size_t>(eol - p)));
            const char* titleStart = p;
            if (comma != nullptr) {
                entry.duration = readNumber(p, comma, &read.whole);
                titleStart = comma + 1;
            }
            decode(titleStart, eol, entry.title);
            // Only a known length is written back with its title.
            if (entry.duration <= 0 && !entry.title.empty())
                read.whole = false;
            p = skipBreaks(eol, end);
        }
        const char* eol = lineEnd(p, end);
        decode(p, eol, entry.path);
        p = skipBreaks(eol, end);
        append(list, std::move(entry), read);
    }
}

void parsePlain(const char* p, const char* end, Playlist& list, const Decoder& decode, M3uRead& read) {
    while (p < end) {
        p = skipBreaks(p, end);
        if (p == end)
            break;
        const char* eol = lineEnd(p, end);
        if (*p == '#') {
            read.whole = false; // a comment the list cannot keep
        } else {
            PlaylistEntry entry;
            decode(p, eol, entry.path);
            append(list, std::move(entry), read);
        }
        p = eol;
    }
}

void appendEntryText(std::string& text, const PlaylistEntry& entry, bool utf8, const CodePage& codePage,
                     bool* lossy) {
    auto field = [&](const std::u16string& s) {
        if (allAscii(s.data(), s.size()))
            appendAscii(text, s.data(), s.size());
        else if (utf8)
            utf16ToUtf8(s.data(), s.size(), text);
        else
            codePage.fromUtf16(s.data(), s.size(), text, lossy);
    };
    if (entry.duration > 0) {
        text += "\r\n#EXTINF:";
        text += std::to_string(entry.duration);
        text += ',';
        field(entry.title);
    }
    text += "\r\n";
    field(entry.path);
}

bool endsWithNoCase(const char16_t* path, const char* tail) {
    std::size_t n = textLength(path), m = std::strlen(tail);
    if (n < m)
        return false;
    for (std::size_t i = 0; i < m; ++i) {
        char16_t c = path[n - m + i];
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != static_cast<unsigned char>(tail[i]))
            return false;
    }
    return true;
}
} // namespace

M3uRead parseM3u(const char* text, std::size_t size, Playlist& list, const CodePage& codePage,
                 bool utf8Name) {
    M3uRead read = {0, true};
    const char* p = text;
    const char* end = static_cast<const char*>(std::memchr(text, 0, size));
    if (end == nullptr)
        end = text + size;
    else
        read.whole = false; // what follows a NUL is not text
    bool utf8 = utf8Name;
    if (startsWith(p, end, kBom, 3)) {
        utf8 = true;
        p += 3;
    }
    bool extended = false;
    if (startsWith(p, end, kHeader, kHeaderLength)) {
        const char* after = p + kHeaderLength;
        if (after == end || *after == '\r' || *after == '\n') {
            extended = true;
            p = after;
            // One line end: CR LF, a lone LF or a lone CR.
            if (p < end && *p == '\r')
                ++p;
            if (p < end && *p == '\n')
                ++p;
        }
    }
    if (!utf8)
        utf8 = looksLikeUtf8(p, end);
    Decoder decode{utf8, codePage, &read.whole};
    if (extended)
        parseExtended(p, end, list, decode, read);
    else
        parsePlain(p, end, list, decode, read);
    return read;
}

std::string m3uText(const Playlist& list, const CodePage& codePage, bool utf8Name) {
    std::size_t expected = 0;
    for (const auto& entry : list.entries)
        expected += entry->path.size() + entry->title.size() + 24;
    std::string text = kHeader;
    text.reserve(expected);
    if (!utf8Name) {
        bool lossy = false;
        for (const auto& entry : list.entries) {
            appendEntryText(text, *entry, false, codePage, &lossy);
            if (lossy)
                break;
        }
        // 8-bit text that reads as UTF-8 would come back as other names: such a list is written
        // as UTF-8 with the mark instead.
        if (!lossy && !looksLikeUtf8(text.data(), text.data() + text.size()))
            return text;
        text = std::string(kBom) + kHeader;
    }
    for (const auto& entry : list.entries)
        appendEntryText(text, *entry, true, codePage, nullptr);
    return text;
}

bool isListFileName(const char16_t* path) {
    return endsWithNoCase(path, ".m3u") || endsWithNoCase(path, ".m3u8");
}

bool isUtf8ListFileName(const char16_t* path) {
    return endsWithNoCase(path, ".m3u8");
}

bool utf8ToUtf16(const char* bytes, std::size_t size, std::u16string& out) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes);
    const unsigned char* end = p + size;
    bool valid = true;
    while (p < end) {
        unsigned code;
        int n = utf8SequenceAt(p, end, &code);
        if (n == 0) {
            out += u'\uFFFD';
            valid = false;
            ++p;
            continue;
        }
        p += n;
        if (code >= 0x10000) {
            code -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (code >> 10));
            out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
    }
    return valid;
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
