// The platform's wide strings are the UTF-16 text of the platform-free code.
#pragma once
#include <cstddef>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

inline const char16_t* asU16(const wchar_t* s) {
    return reinterpret_cast<const char16_t*>(s);
}
inline char16_t* asU16(wchar_t* s) {
    return reinterpret_cast<char16_t*>(s);
}
template <std::size_t N> char16_t (&asU16Buffer(wchar_t (&s)[N]))[N] {
    return reinterpret_cast<char16_t(&)[N]>(s);
}
inline const wchar_t* asWide(const char16_t* s) {
    return reinterpret_cast<const wchar_t*>(s);
}
inline wchar_t* asWide(char16_t* s) {
    return reinterpret_cast<wchar_t*>(s);
}
