#include "list_support.h"

namespace {
bool latin1ToUtf16(const char* bytes, std::size_t size, std::u16string& out) {
    bool valid = true;
    for (std::size_t i = 0; i < size; ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x80 && c < 0xA0)
            valid = false;
        out += static_cast<char16_t>(c);
    }
    return valid;
}
void utf16ToLatin1(const char16_t* text, std::size_t length, std::string& out, bool* lossy) {
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] > 0xFF || (text[i] >= 0x80 && text[i] < 0xA0)) {
            out += '?';
            *lossy = true;
        } else {
            out += static_cast<char>(text[i]);
        }
    }
}
} // namespace

const CodePage kLatin1 = {latin1ToUtf16, utf16ToLatin1};
