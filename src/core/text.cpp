#include "core/text.h"

std::size_t textLength(const char16_t* text) {
    std::size_t n = 0;
    while (text[n] != 0)
        ++n;
    return n;
}

bool copyTextCut(char16_t* buffer, std::size_t capacity, const char16_t* text) {
    if (capacity == 0)
        return false;
    std::size_t i = 0;
    for (; i + 1 < capacity && text[i] != 0; ++i)
        buffer[i] = text[i];
    buffer[i] = 0;
    return text[i] == 0;
}
