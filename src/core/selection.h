// The open dialog's multi-select buffer turned into full paths.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

// `buffer` holds the folder, a NUL, then names separated by NULs and ended by an empty name; for a
// single file it holds the full path and `nameOffset` points at its name. The folder is the first
// nameOffset - 1 units, given one trailing backslash.
std::vector<std::u16string> selectedPaths(const char16_t* buffer, std::size_t capacity,
                                          std::size_t nameOffset);
