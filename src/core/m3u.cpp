#include "core/m3u.h"

#include "core/entry_paths.h"
#include "core/text.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <optional>

namespace {
const char kHeader[] = "#EXTM3U";
const char kInfo[] = "#EXTINF:";
const char kBom[] = "\xEF\xBB\xBF";
constexpr std::size_t kHeaderLength = sizeof kHeader - 1;
constexpr std::size_t kInfoLength = sizeof kInfo - 1;

bool startsWith(const char* p, const char* end, const char* prefix, std::size_t length) {
    return static_cast<std::size_t>(end - p) >= length && std::memcmp(p, prefix, length) == 0;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

// White space around a field is not part of it.
void trim(const char*& begin, const char*& end) {
    while (begin < end && isBlank(*begin))
        ++begin;
    while (end > begin && isBlank(end[-1]))
        --end;
}

void trimPath(std::u16string& path) {
    std::size_t end = path.find_last_not_of(u" \t\v\f");
    path.erase(end == std::u16string::npos ? 0 : end + 1);
    path.erase(0, std::min(path.find_first_not_of(u" \t\v\f"), path.size()));
}

// A length: leading white space, an optional sign, digits, then an optional fraction, which rounds
// a positive length up to the next whole second. No digits give 0. Values beyond the 32-bit range
// stop at its ends. *after is where the number ended; *exact is cleared when the value changed.
int readLength(const char* p, const char* end, const char** after, bool* exact) {
    while (p < end && isBlank(*p))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    long long value = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p)
        value = std::min(value * 10 + (*p - '0'), 1LL << 40); // far enough out to be seen as too large
    bool fraction = false;
    if (p < end && *p == '.')
        for (++p; p < end && *p >= '0' && *p <= '9'; ++p)
            fraction = fraction || *p != '0';
    *after = p;
    if (fraction) {
        *exact = false;
        if (!negative)
            ++value;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX || value < INT_MIN) {
        *exact = false;
        value = value > INT_MAX ? INT_MAX : INT_MIN;
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

void append(Playlist& list, PlaylistEntry&& entry, M3uRead& read) {
    list.entries.push_back(std::make_unique<PlaylistEntry>(std::move(entry)));
    TitleFromPath(*list.entries.back());
    ++read.added;
}

// The comma that ends an information line's length and attributes: the first one outside double
// quotes (an attribute's value may hold commas), else the first one.
const char* titleComma(const char* p, const char* end) {
    bool quoted = false;
    for (const char* c = p; c < end; ++c) {
        if (*c == '"')
            quoted = !quoted;
        else if (*c == ',' && !quoted)
            return c;
    }
    return static_cast<const char*>(std::memchr(p, ',', static_cast<std::size_t>(end - p)));
}

// "#EXTINF:" followed by a length, attributes (skipped: the list cannot keep them) and the title.
// Without a comma the whole text is the title.
void readInfo(const char* p, const char* end, PlaylistEntry& entry, const Decoder& decode, M3uRead& read) {
    const char* comma = titleComma(p, end);
    if (comma != nullptr) {
        const char* attributes;
        entry.duration = readLength(p, comma, &attributes, &read.whole);
        trim(attributes, comma);
        if (attributes != comma)
            read.whole = false;
        p = comma + 1;
    }
    trim(p, end);
    decode(p, end, entry.title);
    entry.titleFromList = !entry.title.empty();
}

// Every line is a path, an information line for the next path, or a comment ('#' first, after any
// white space); blank lines are nothing. The header counts as the first line only.
void parseLines(const char* p, const char* end, const std::u16string& folder, Playlist& list,
                const Decoder& decode, M3uRead& read) {
    std::optional<PlaylistEntry> info; // read, and waiting for its path
    for (bool first = true; p < end;) {
        const char* b = p;
        const char* e = lineEnd(p, end);
        p = e < end ? e + 1 : end;
        trim(b, e);
        if (b == e)
            continue;
        bool header =
            first && e - b == static_cast<long>(kHeaderLength) && startsWith(b, e, kHeader, kHeaderLength);
        first = false;
        if (header)
            continue;
        if (startsWith(b, e, kInfo, kInfoLength)) {
            if (info)
                read.whole = false; // a title with no path of its own
            info.emplace();
            readInfo(b + kInfoLength, e, *info, decode, read);
            continue;
        }
        if (*b == '#') {
            read.whole = false; // a comment or tag the list cannot keep
            continue;
        }
        PlaylistEntry entry = info ? std::move(*info) : PlaylistEntry();
        info.reset();
        std::u16string line;
        decode(b, e, line);
        bool rewritten;
        entry.path = resolveListEntry(std::move(line), folder, &rewritten);
        trimPath(entry.path); // a name never ends in blanks, and an address may spell them out
        if (rewritten || entry.path.empty())
            read.whole = false; // written back, it is the path it names
        if (!entry.path.empty())
            append(list, std::move(entry), read);
    }
    if (info)
        read.whole = false;
}

// UTF-16 units, in the order the mark says, up to the first NUL: as UTF-8. False when they were
// not all text (a lone surrogate, an odd byte, a NUL before the end).
bool utf16ToUtf8Text(const char* p, std::size_t size, bool bigEndian, std::string& out) {
    bool whole = size % 2 == 0;
    std::u16string units;
    units.reserve(size / 2);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        unsigned a = static_cast<unsigned char>(p[i]), b = static_cast<unsigned char>(p[i + 1]);
        char16_t unit = static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
        if (unit == 0) {
            whole = false;
            break;
        }
        units += unit;
    }
    for (std::size_t i = 0; i < units.size(); ++i) {
        bool high = units[i] >= 0xD800 && units[i] <= 0xDBFF, low = units[i] >= 0xDC00 && units[i] <= 0xDFFF;
        if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF)
            ++i;
        else if (high || low)
            whole = false;
    }
    utf16ToUtf8(units.data(), units.size(), out);
    return whole;
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
    } else if (entry.titleFromList && !entry.title.empty()) {
        // A title a list gave stays with its entry, its length unknown as players write it.
        text += "\r\n#EXTINF:-1,";
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

M3uRead parseM3u(const char* text, std::size_t size, Playlist& list, const CodePage& codePage, bool utf8Name,
                 const std::u16string& folder) {
    M3uRead read = {0, true};
    const char* p = text;
    const char* end = text + size;
    bool utf8 = utf8Name;
    std::string converted;
    if (size >= 2 && (std::memcmp(text, "\xFF\xFE", 2) == 0 || std::memcmp(text, "\xFE\xFF", 2) == 0)) {
        read.whole = utf16ToUtf8Text(text + 2, size - 2, text[0] == '\xFE', converted);
        p = converted.data();
        end = p + converted.size();
        utf8 = true;
    } else {
        if (const void* nul = std::memchr(text, 0, size)) {
            end = static_cast<const char*>(nul);
            read.whole = false; // what follows a NUL is not text
        }
        if (startsWith(p, end, kBom, 3)) {
            utf8 = true;
            p += 3;
        }
        if (!utf8)
            utf8 = looksLikeUtf8(p, end);
    }
    Decoder decode{utf8, codePage, &read.whole};
    parseLines(p, end, folder, list, decode, read);
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
