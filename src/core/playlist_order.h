// Reordering the play list: shuffle, stable sort and block move.
#pragma once
#include "core/playlist_model.h"

#include <cstdint>
#include <string>

enum SortMode { SortByPath = 0, SortByTitle = 1 };

// The platform's string comparison (negative, zero, positive), handed in so that the ordering can
// be decided and tested without the platform.
using CompareText = int (*)(const char16_t* a, const char16_t* b);

// The shuffle's own linear congruential generator: seeded with 1, never reseeded.
struct ShuffleRandom {
    std::uint32_t state = 1;
    int next(); // 0 to 32767
};

// For each index i, exchanges entries i and (random mod (count - 1)). Lists of fewer than two
// entries are left as they are.
void shuffleEntries(Playlist& list, ShuffleRandom& random);

// Stable ascending sort of entries first..last (inclusive) by path or title. Returns how many
// comparisons it made.
long SortRange(Playlist& list, int first, int last, SortMode mode, CompareText compare);

// The platform's sort key of a text: comparing two keys byte by byte orders the texts as the
// platform's comparison does.
using MakeSortKey = void (*)(const char16_t* text, std::string& key);

// The same order as SortRange with the matching comparison, from one key per entry: the costly
// linguistic work is done once per entry instead of once per comparison.
long SortRangeByKeys(Playlist& list, int first, int last, SortMode mode, MakeSortKey makeKey);

// Moves `length` entries starting at `from` so that they start at `to` (to <= from); the entries
// from `to` up to `from` - 1 move up by `length`. Out-of-range requests change nothing.
void MoveBlock(Playlist& list, int length, int from, int to);
