// Fixed-buffer UTF-16 text helpers shared by the platform-free code.
#pragma once
#include <cstddef>

constexpr std::size_t kPathUnits = 260;

std::size_t textLength(const char16_t* text);
// Copies as much of text as fits, always terminated. Returns false when something was cut.
bool copyTextCut(char16_t* buffer, std::size_t capacity, const char16_t* text);
