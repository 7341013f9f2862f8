#include "list_support.h"

namespace {
void latin1ToUtf16(const char* bytes, std::size_t size, std::u16string& out) {
    for (std::size_t i = 0; i < size; ++i)
        out += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]));
}
void utf16ToLatin1(const char16_t* text, std::size_t length, std::string& out, bool* lossy) {
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] > 0xFF) {
            out += '?';
            *lossy = true;
        } else {
            out += static_cast<char>(text[i]);
        }
    }
}
} // namespace

const CodePage kLatin1 = {latin1ToUtf16, utf16ToLatin1};
