#include "core/playlist_order.h"

#include <algorithm>
#include <vector>

namespace {
// Keeps a sort range inside the list; false when fewer than two entries remain in it.
bool clampRange(const Playlist& list, int& first, int& last) {
    first = std::max(first, 0);
    if (last >= list.count())
        last = list.count() - 1;
    return last > first;
}
} // namespace

int ShuffleRandom::next() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}

void shuffleEntries(Playlist& list, ShuffleRandom& random) {
    int n = list.count();
    if (n < 2)
        return;
    for (int i = 0; i < n; ++i) {
        int j = random.next() % (n - 1);
        std::swap(list.entries[i], list.entries[j]);
    }
}

long SortRangeByKeys(Playlist& list, int first, int last, SortMode mode, MakeSortKey makeKey) {
    if (!clampRange(list, first, last))
        return 0;
    struct Keyed {
        std::string key;
        std::unique_ptr<PlaylistEntry> entry;
    };
    std::vector<Keyed> keyed(static_cast<std::size_t>(last - first + 1));
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        std::unique_ptr<PlaylistEntry>& e = list.entries[static_cast<std::size_t>(first) + i];
        makeKey(mode == SortByTitle ? e->title.c_str() : e->path.c_str(), keyed[i].key);
        keyed[i].entry = std::move(e);
    }
    long comparisons = 0;
    std::stable_sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
        ++comparisons;
        return a.key < b.key;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        list.entries[static_cast<std::size_t>(first) + i] = std::move(keyed[i].entry);
    return comparisons;
}

int placeDroppedEntries(Playlist& list, int first, SortMode mode, MakeSortKey makeKey) {
    SortRangeByKeys(list, first, list.count() - 1, mode, makeKey);
    int behind = list.current + 1;
    MoveBlock(list, list.count() - first, first, behind);
    return behind;
}

void MoveBlock(Playlist& list, int length, int from, int to) {
    if (length <= 0 || to < 0 || to > from || from + length > list.count())
        return;
    auto begin = list.entries.begin();
    std::rotate(begin + to, begin + from, begin + from + length);
}
