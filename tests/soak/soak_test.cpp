// The player left looping a list of short clips, with and without sound, and entries it cannot play,
// for ZON_SOAK_MINUTES (default 2; `make soak` runs an hour). Its memory, handles and GDI objects are
// sampled all along and must not grow beyond noise, and its window must answer within a second.
#include "../e2e/player.h"
#include "process_counts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {
double minutesToRun() {
    wchar_t value[32] = {};
    if (GetEnvironmentVariableW(L"ZON_SOAK_MINUTES", value, 32) == 0)
        return 2;
    double minutes = _wtof(value);
    return minutes > 0 ? minutes : 2;
}

long median(std::vector<long> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

struct Series {
    std::vector<long> workingSetKb, handles, gdiObjects;
};

// The median of the first and of the last fifth of the samples, so that single peaks do not count.
void ends(const std::vector<long>& values, long* first, long* last) {
    std::size_t fifth = std::max<std::size_t>(1, values.size() / 5);
    *first = median(std::vector<long>(values.begin(), values.begin() + static_cast<long>(fifth)));
    *last = median(std::vector<long>(values.end() - static_cast<long>(fifth), values.end()));
}

TEST(Soak, MemoryHandlesAndGdiObjectsStayFlatWhileAListLoops) {
    std::string list = "#EXTM3U";
    for (const wchar_t* name : {L"clip320.avi", L"silent320.avi", L"corrupt.avi", L"tone.wav", L"missing.avi",
                                L"clip640.mp4", L"silent640.avi"})
        list += "\r\n" + ansi(mediaPath(name));
    Player player("[PLAYLIST]\r\nLoop=1\r\nIndex=0\r\n", {{L"default.m3u", list}});
    ASSERT_TRUE(player.started());
    Sleep(300);
    SendMessageW(player.main(), WM_COMMAND, MAKEWPARAM(42001, 0), 0);

    DWORD pid = 0;
    GetWindowThreadProcessId(player.main(), &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    ASSERT_NE(process, nullptr);
    const DWORD total = static_cast<DWORD>(minutesToRun() * 60000);
    const DWORD warmUp = std::min<DWORD>(30000, total / 5), every = 5000;
    Series series;
    DWORD start = GetTickCount();
    int unanswered = 0;
    while (GetTickCount() - start < total) {
        Sleep(every);
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(player.main(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result))
            ++unanswered;
        if (GetTickCount() - start < warmUp)
            continue;
        ProcessCounts c = countsOf(process);
        series.workingSetKb.push_back(static_cast<long>(c.workingSet / 1024));
        series.handles.push_back(c.handles);
        series.gdiObjects.push_back(c.gdiObjects);
        std::printf("soak %6.1f min  working set %7ld KB  handles %5ld  GDI objects %5ld\n",
                    (GetTickCount() - start) / 60000.0, series.workingSetKb.back(), c.handles, c.gdiObjects);
        std::fflush(stdout);
    }
    CloseHandle(process);
    EXPECT_EQ(unanswered, 0) << "the window answered every probe within a second";
    EXPECT_EQ(player.close(), 0);
    ASSERT_GE(series.workingSetKb.size(), 3u);

    // Noise: a few megabytes of the platform's caches; handles and GDI objects come and go with
    // each opened file.
    struct Limit {
        const char* what;
        const std::vector<long>& values;
        long slack;
    } limits[] = {{"working set (KB)", series.workingSetKb, 12 * 1024},
                  {"handles", series.handles, 40},
                  {"GDI objects", series.gdiObjects, 40}};
    for (const Limit& l : limits) {
        long first, last;
        ends(l.values, &first, &last);
        std::printf("soak %-17s first fifth %7ld  last fifth %7ld  growth %+ld\n", l.what, first, last,
                    last - first);
        if (first < 0)
            continue; // the system does not tell
        EXPECT_LE(last - first, l.slack) << l.what << " grew beyond noise";
    }
}
} // namespace
