#include "win32/code_page.h"

#include <windows.h>

namespace {
// The unit `bytes` read as, or -1 when they are not exactly one character of the code page.
int decoded(const char* bytes, int count) {
    wchar_t unit[2];
    return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes, count, unit, 2) == 1 ? unit[0] : -1;
}
} // namespace

CodePageEncoder::CodePageEncoder() : bytes_(0x10000, 0) {
    CPINFO info = {};
    GetCPInfo(CP_ACP, &info);
    bool lead[256] = {};
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2)
        for (int b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b)
            lead[b] = true;
    // Where several byte sequences read as one unit, any of them reads back as it.
    auto learn = [this](int unit, std::uint16_t value) {
        if (unit > 0)
            bytes_[static_cast<std::size_t>(unit)] = value;
    };
    for (int b = 1; b < 256; ++b) {
        char single = static_cast<char>(b);
        if (!lead[b])
            learn(decoded(&single, 1), static_cast<std::uint16_t>(b));
        else
            for (int t = 1; t < 256; ++t) {
                char pair[2] = {single, static_cast<char>(t)};
                learn(decoded(pair, 2), static_cast<std::uint16_t>(b << 8 | t));
            }
    }
}

bool CodePageEncoder::append(const char16_t* text, std::size_t length, std::string& out) const {
    bool exact = true;
    std::size_t at = out.size();
    out.resize(at + 2 * length);
    char* p = &out[at];
    for (std::size_t i = 0; i < length; ++i) {
        std::uint16_t value = bytes_[text[i]];
        if (value == 0 && text[i] != 0) {
            *p++ = '?';
            exact = false;
        } else if (value > 0xFF) {
            *p++ = static_cast<char>(value >> 8);
            *p++ = static_cast<char>(value & 0xFF);
        } else {
            *p++ = static_cast<char>(value);
        }
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
    return exact;
}
