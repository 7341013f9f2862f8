#include "core/selection.h"

#include <algorithm>

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
        auto length =
            static_cast<std::size_t>(std::find(buffer + at, buffer + capacity, u'\0') - (buffer + at));
        paths.push_back(folder + std::u16string(buffer + at, length));
        at += length + 1;
    }
    return paths;
}
