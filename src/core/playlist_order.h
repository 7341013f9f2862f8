// Reordering the play list: shuffle, stable sort and block move.
#pragma once
#include "core/playlist_model.h"

#include <cstdint>
#include <string>

enum SortMode { SortByPath = 0, SortByTitle = 1 };

// The shuffle's own linear congruential generator: seeded with 1, never reseeded.
struct ShuffleRandom {
    std::uint32_t state = 1;
    int next(); // 0 to 32767
};

// For each index i, exchanges entries i and (random mod (count - 1)). Lists of fewer than two
// entries are left as they are.
void shuffleEntries(Playlist& list, ShuffleRandom& random);

// The platform's sort key of a text: comparing two keys byte by byte orders the texts as the
// platform's comparison does.
using MakeSortKey = void (*)(const char16_t* text, std::string& key);

// Stable ascending sort of entries first..last (inclusive) by path or title, kept within the list,
// from one key per entry: the costly linguistic work is done once per entry instead of once per
// comparison. Returns how many comparisons it made.
long SortRangeByKeys(Playlist& list, int first, int last, SortMode mode, MakeSortKey makeKey);

// The entries from `first` to the end were just dropped on the window: they are sorted among
// themselves and moved to stand right behind the current entry (at the top when there is none).
// Returns the index the first of them now has.
int placeDroppedEntries(Playlist& list, int first, SortMode mode, MakeSortKey makeKey);

// Moves `length` entries starting at `from` so that they start at `to` (to <= from); the entries
// from `to` up to `from` - 1 move up by `length`. Out-of-range requests change nothing.
void MoveBlock(Playlist& list, int length, int from, int to);
