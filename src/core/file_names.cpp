#include "core/file_names.h"

namespace {
// The last `c` of `text` before `end` at position 1 or later, or npos.
std::size_t lastFromOne(const std::u16string& text, char16_t c, std::size_t end) {
    for (std::size_t i = end; i-- > 1;)
        if (text[i] == c)
            return i;
    return std::u16string::npos;
}

// Where the file name starts (just after its backslash), or npos without a folder part.
std::size_t fileNameStart(const std::u16string& path) {
    std::size_t slash = lastFromOne(path, u'\\', path.size());
    return slash == std::u16string::npos ? slash : slash + 1;
}
} // namespace

std::u16string shownNameOf(const std::u16string& path) {
    std::size_t start = fileNameStart(path);
    if (start == std::u16string::npos)
        return {};
    std::u16string name = path.substr(start);
    std::size_t dot = lastFromOne(name, u'.', name.size());
    return dot == std::u16string::npos ? name : name.substr(0, dot);
}

std::optional<std::u16string> renamedPath(const std::u16string& path, const std::u16string& name) {
    std::size_t start = fileNameStart(path);
    if (start == std::u16string::npos)
        return std::nullopt;
    std::u16string file = path.substr(start);
    std::size_t dot = lastFromOne(file, u'.', file.size());
    std::u16string extension = dot == std::u16string::npos ? std::u16string() : file.substr(dot);
    return path.substr(0, start) + name + extension;
}

std::optional<std::u16string> movedPath(const std::u16string& folder, const std::u16string& path) {
    std::size_t start = fileNameStart(path);
    if (start == std::u16string::npos)
        return std::nullopt;
    return folder + path.substr(start);
}

Rect fileHintRect(const Rect& display) {
    int bottom = display.bottom - 12;
    return {display.left + 16, bottom - 16, display.right - 16, bottom};
}
