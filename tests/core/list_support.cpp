#include "list_support.h"

#include <sstream>

Playlist listOf(const std::string& entries) {
    auto utf16 = [](const std::string& s) {
        std::u16string out;
        utf8ToUtf16(s.data(), s.size(), out);
        return out;
    };
    Playlist list;
    std::istringstream in(entries);
    for (std::string entry; std::getline(in, entry, '|');) {
        std::istringstream fields(entry);
        std::string path, duration, title;
        std::getline(std::getline(std::getline(fields, path, ','), duration, ','), title);
        PlaylistEntry& e = AppendEntry(list, utf16(path));
        e.duration = duration.empty() ? 0 : std::stoi(duration);
        if (!title.empty())
            e.title = utf16(title);
    }
    return list;
}

std::string shown(const Playlist& list, bool details) {
    std::string out;
    for (const auto& e : list.entries) {
        if (!out.empty())
            out += '|';
        utf16ToUtf8(e->path.data(), e->path.size(), out);
        if (details) {
            out += ',' + std::to_string(e->duration) + ',';
            utf16ToUtf8(e->title.data(), e->title.size(), out);
        }
    }
    return out;
}

namespace {
bool latin1ToUtf16(const char* bytes, std::size_t size, std::u16string& out) {
    bool valid = true;
    for (std::size_t i = 0; i < size; ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        valid = valid && (c < 0x80 || c >= 0xA0);
        out += static_cast<char16_t>(c);
    }
    return valid;
}
void utf16ToLatin1(const char16_t* text, std::size_t length, std::string& out, bool* lossy) {
    for (std::size_t i = 0; i < length; ++i) {
        bool lost = text[i] > 0xFF || (text[i] >= 0x80 && text[i] < 0xA0);
        *lossy = *lossy || lost;
        out += lost ? '?' : static_cast<char>(text[i]);
    }
}
} // namespace

const CodePage kLatin1 = {latin1ToUtf16, utf16ToLatin1};
