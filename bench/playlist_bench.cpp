// Reads, sorts and writes a full 4096-entry list with the platform's own file, code-page and
// comparison calls, and prints each time against its 20 ms target and the sort's comparisons
// against those of an insertion sort of the same input. Run under Wine by `make bench`.
#include "app/wide.h"
#include "playlist/playlist.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long comparisons;
int countingCompare(const char16_t* a, const char16_t* b) {
    ++comparisons;
    return compareText(a, b);
}

// The ordering of the original design: each entry moves down past every strictly greater one.
long insertionSortComparisons(std::vector<PlaylistEntry*> entries) {
    comparisons = 0;
    for (std::size_t i = 1; i < entries.size(); ++i) {
        PlaylistEntry* moving = entries[i];
        std::size_t j = i;
        while (j > 0 && countingCompare(entries[j - 1]->path, moving->path) > 0) {
            entries[j] = entries[j - 1];
            --j;
        }
        entries[j] = moving;
    }
    return comparisons;
}

void report(const char* what, double ms) {
    std::printf("%-34s %8.2f ms   target 20 ms   ratio %.2f\n", what, ms, ms / 20.0);
}
} // namespace

int main() {
    activeList = &mainList;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring file = std::wstring(temp) + L"zon-bench-" + std::to_wstring(GetCurrentProcessId()) + L".m3u";
    copyTextWhole(mainList.fileName, kPathUnits, asU16(file.c_str()));

    const wchar_t* folders[] = {L"C:\\音乐\\流行", L"D:\\Video\\Series", L"E:\\下载",
                                L"C:\\Users\\me\\Music"};
    unsigned seed = 12345;
    for (int i = 0; i < kPlaylistCapacity; ++i) {
        seed = seed * 1103515245u + 12345u;
        std::wstring path = std::wstring(folders[seed % 4]) + L"\\track " + std::to_wstring(seed % 100000) +
                            (i % 3 == 0 ? L" 歌曲" : L" song") + L".mp3";
        PlaylistEntry* e = AppendEntry(mainList, asU16(path.c_str()));
        if (i % 2 == 0 && e != nullptr)
            e->duration = 60 + i;
    }

    Clock::time_point start = Clock::now();
    WriteM3u();
    report("write 4096 entries", msSince(start));

    ClearPlaylist(mainList);
    start = Clock::now();
    ReadM3u(file.c_str());
    report("read 4096 entries", msSince(start));
    std::printf("entries read back: %d\n", mainList.count);

    ShuffleRandom random;
    shuffleEntries(mainList, random);
    std::vector<PlaylistEntry*> shuffled(mainList.entries, mainList.entries + mainList.count);
    start = Clock::now();
    long sortComparisons = SortRangeByKeys(mainList, 0, mainList.count - 1, SortByPath, sortKeyOf);
    report("sort 4096 entries by path", msSince(start));
    // The key order must be the comparison's order, stable included.
    std::vector<PlaylistEntry*> byKeys(mainList.entries, mainList.entries + mainList.count);
    for (int i = 0; i < mainList.count; ++i)
        mainList.entries[i] = shuffled[static_cast<std::size_t>(i)];
    SortRange(mainList, 0, mainList.count - 1, SortByPath, compareText);
    bool same = std::equal(byKeys.begin(), byKeys.end(), mainList.entries);
    std::printf("order by sort keys equals the order by comparison: %s\n", same ? "yes" : "NO");
    start = Clock::now();
    long insertion = insertionSortComparisons(shuffled);
    double insertionMs = msSince(start);
    std::printf("sort comparisons: %ld, insertion sort of the same input: %ld (%.2f ms), ratio %.1f\n",
                sortComparisons, insertion, insertionMs, static_cast<double>(insertion) / sortComparisons);
    ClearPlaylist(mainList);
    DeleteFileW(file.c_str());
    return 0;
}
