#include "core/selection.h"

std::vector<std::u16string> selectedPaths(const char16_t* buffer, std::size_t capacity,
                                          std::size_t nameOffset) {
    std::vector<std::u16string> paths;
    if (nameOffset == 0 || nameOffset >= capacity)
        return paths;
    std::u16string folder(buffer, nameOffset - 1);
    if (folder.empty() || folder.back() != u'\\')
        folder += u'\\';
    std::size_t at = nameOffset;
    while (at < capacity && buffer[at] != 0) {
        std::size_t length = 0;
        while (at + length < capacity && buffer[at + length] != 0)
            ++length;
        paths.push_back(folder + std::u16string(buffer + at, length));
        at += length + 1;
    }
    return paths;
}
