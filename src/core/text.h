// Fixed-buffer UTF-16 text helpers shared by the platform-free code.
#pragma once
#include <cstddef>

constexpr std::size_t kPathUnits = 260;
constexpr std::size_t kTitleUnits = 192;

std::size_t textLength(const char16_t* text);
// Copies text into a buffer of `capacity` units (terminator included). Returns false, leaving the
// buffer empty, when the text does not fit: a cut path would name another file.
bool copyTextWhole(char16_t* buffer, std::size_t capacity, const char16_t* text);
// Copies as much of text as fits, always terminated. Returns false when something was cut.
bool copyTextCut(char16_t* buffer, std::size_t capacity, const char16_t* text);
// True when both texts hold the same units.
bool sameText(const char16_t* a, const char16_t* b);
