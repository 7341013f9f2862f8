#include "core/entry_paths.h"

#include "core/m3u.h"

#include <vector>

namespace {
constexpr std::size_t npos = std::u16string::npos;

bool isSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

bool isLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isDriveAt(const std::u16string& text, std::size_t at) {
    return text.size() >= at + 2 && isLetter(text[at]) && (text[at + 1] == u':' || text[at + 1] == u'|');
}

// Where the "://" after the scheme begins, or npos.
std::size_t schemeLength(const std::u16string& text) {
    std::size_t i = 0;
    while (i < text.size() &&
           (isLetter(text[i]) || (i > 0 && ((text[i] >= u'0' && text[i] <= u'9') || text[i] == u'+' ||
                                            text[i] == u'-' || text[i] == u'.'))))
        ++i;
    return i >= 2 && text.compare(i, 3, u"://") == 0 ? i : npos;
}

int hexValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// Percent-escapes are bytes of UTF-8 text; the characters between them are taken as they are. A
// "%" without two hexadecimal digits after it is itself, and so is an escaped control character:
// no name holds one, and a line break would end the entry in the list file.
std::u16string percentDecoded(const std::u16string& text, bool* exact) {
    std::string bytes;
    std::size_t run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'%' || i + 2 >= text.size() || hexValue(text[i + 1]) < 0 ||
            hexValue(text[i + 2]) < 0 || hexValue(text[i + 1]) < 2)
            continue;
        utf16ToUtf8(text.data() + run, i - run, bytes);
        bytes += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
        i += 2;
        run = i + 1;
    }
    utf16ToUtf8(text.data() + run, text.size() - run, bytes);
    std::u16string out;
    if (!utf8ToUtf16(bytes.data(), bytes.size(), out))
        *exact = false;
    return out;
}

// The names of a path between its separators, empty ones left out.
std::vector<std::u16string> namesOf(const std::u16string& path, std::size_t from) {
    std::vector<std::u16string> names;
    for (std::size_t at = from; at < path.size();) {
        std::size_t end = at;
        while (end < path.size() && !isSeparator(path[end]))
            ++end;
        if (end > at)
            names.push_back(path.substr(at, end - at));
        at = end + 1;
    }
    return names;
}

// How long the root of a full folder is: "C:\", "\\server\share\", or either after "\\?\".
std::size_t rootLength(const std::u16string& folder) {
    std::size_t at = 0;
    bool unc = false;
    if (folder.compare(0, 8, u"\\\\?\\UNC\\") == 0) {
        at = 8;
        unc = true;
    } else if (folder.compare(0, 4, u"\\\\?\\") == 0) {
        at = 4;
    } else if (folder.size() >= 2 && isSeparator(folder[0]) && isSeparator(folder[1])) {
        at = 2;
        unc = true;
    }
    if (!unc)
        return isDriveAt(folder, at) && folder.size() > at + 2 && isSeparator(folder[at + 2]) ? at + 3 : 0;
    // The server and the share.
    for (int name = 0; name < 2; ++name) {
        while (at < folder.size() && !isSeparator(folder[at]))
            ++at;
        if (at < folder.size())
            ++at;
    }
    return at;
}

std::u16string withoutExtension(const std::u16string& name) {
    std::size_t dot = name.rfind(u'.');
    return dot == npos || dot == 0 ? name : name.substr(0, dot);
}
} // namespace

bool isAddress(const std::u16string& text) {
    return schemeLength(text) != npos;
}

bool isFileAddress(const std::u16string& text) {
    static const char16_t scheme[] = u"file://";
    if (text.size() < 7)
        return false;
    for (std::size_t i = 0; i < 7; ++i)
        if ((text[i] >= u'A' && text[i] <= u'Z' ? text[i] + 32 : text[i]) != scheme[i])
            return false;
    return true;
}

std::u16string pathFromFileAddress(const std::u16string& address, bool* exact) {
    std::u16string rest = address.substr(7);
    rest = rest.substr(0, rest.find(u'?'));
    std::size_t slash = rest.find(u'/');
    std::u16string host = rest.substr(0, slash), path = slash == npos ? u"" : rest.substr(slash);
    if (isDriveAt(host, 0) && host.size() == 2) { // "file://C:/x", two slashes short
        path = host + path;
        host.clear();
    }
    std::u16string lowered = host;
    for (char16_t& c : lowered)
        c = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
    if (lowered == u"localhost")
        host.clear();
    path = percentDecoded(path, exact);
    if (path.size() >= 3 && path[0] == u'/' && isDriveAt(path, 1))
        path.erase(0, 1);
    if (isDriveAt(path, 0))
        path[1] = u':'; // "C|", as old addresses wrote the drive
    for (char16_t& c : path)
        if (c == u'/')
            c = u'\\';
    return host.empty() ? path : u"\\\\" + percentDecoded(host, exact) + path;
}

std::u16string resolveListEntry(std::u16string entry, const std::u16string& folder, bool* rewritten) {
    *rewritten = false;
    if (isAddress(entry)) {
        if (!isFileAddress(entry))
            return entry;
        bool exact = true;
        entry = pathFromFileAddress(entry, &exact);
        std::u16string path = resolveListEntry(std::move(entry), folder, rewritten); // "file:///x"
        *rewritten = true;
        return path;
    }
    // Full paths, a server's ("\\server\..."), and a drive's own current folder ("C:x") are kept.
    bool full = isDriveAt(entry, 0) && entry[1] == u':';
    bool server = entry.size() >= 2 && isSeparator(entry[0]) && isSeparator(entry[1]);
    std::size_t root = rootLength(folder);
    if (full || server || entry.empty() || root == 0)
        return entry;
    std::vector<std::u16string> names;
    if (!isSeparator(entry[0]))
        names = namesOf(folder, root);
    for (std::u16string& name : namesOf(entry, 0)) {
        if (name == u"..") {
            if (!names.empty())
                names.pop_back();
        } else if (name != u".") {
            names.push_back(std::move(name));
        }
    }
    std::u16string out = folder.substr(0, root);
    for (char16_t& c : out)
        if (c == u'/')
            c = u'\\';
    for (std::size_t i = 0; i < names.size(); ++i)
        out += (i == 0 ? u"" : u"\\") + names[i];
    *rewritten = true;
    return out;
}

std::u16string titleOf(const std::u16string& path) {
    if (isFileAddress(path)) {
        bool exact = true;
        return titleOf(pathFromFileAddress(path, &exact));
    }
    std::size_t scheme = schemeLength(path);
    if (scheme != npos) {
        std::u16string rest = path.substr(scheme + 3);
        rest = rest.substr(0, rest.find_first_of(u"?#"));
        std::vector<std::u16string> names = namesOf(rest, 0);
        if (names.size() < 2) // the host alone
            return names.empty() ? std::u16string() : names[0];
        bool exact = true;
        return withoutExtension(percentDecoded(names.back(), &exact));
    }
    std::size_t slash = path.find_last_of(u"\\/");
    std::size_t start = slash != npos ? slash + 1 : isDriveAt(path, 0) && path[1] == u':' ? 2 : 0;
    std::size_t dot = path.rfind(u'.');
    return path.substr(start, (dot != npos && dot > start ? dot : path.size()) - start);
}
