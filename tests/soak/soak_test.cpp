// The player left looping a list of short clips, with and without sound, and entries it cannot play,
// for ZON_SOAK_MINUTES (default 2; `make soak` runs an hour). Its memory, handles and GDI objects are
// sampled all along, and its window must answer within a second. Some platforms keep a little of
// every graph that played (Wine 8 does: threads, registry keys, memory of its decoders), so the
// same files are played meanwhile by a bare DirectShow loop in this process: the player may grow
// by what that loop grows, and by noise, but by nothing of its own.
#include "../e2e/player.h"
#include "process_counts.h"

#include <dshow.h>
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

const wchar_t* const kFiles[] = {L"clip320.avi", L"silent320.avi", L"corrupt.avi",  L"tone.wav",
                                 L"missing.avi", L"clip640.mp4",   L"silent640.avi"};

// Plays the list's files one after the other, each to its end, as the player does, with nothing
// but the platform's own graph.
struct BareLoop {
    volatile bool stop = false;
    static DWORD WINAPI run(void* self) {
        BareLoop& loop = *static_cast<BareLoop*>(self);
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        while (!loop.stop)
            for (const wchar_t* name : kFiles)
                if (!loop.stop)
                    playOnce(mediaPath(name), loop.stop);
        CoUninitialize();
        return 0;
    }
    static void playOnce(const std::wstring& path, volatile bool& stop) {
        IGraphBuilder* graph = nullptr;
        if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                    reinterpret_cast<void**>(&graph))))
            return;
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            graph->RenderFile(path.c_str(), nullptr);
        IMediaControl* control = nullptr;
        IMediaSeeking* seeking = nullptr;
        graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control));
        graph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking));
        LONGLONG duration = 0, position = 0;
        seeking->GetDuration(&duration);
        control->Run();
        while (!stop && duration > 0 && SUCCEEDED(seeking->GetCurrentPosition(&position)) &&
               position < duration) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
            Sleep(200);
        }
        control->Stop();
        seeking->Release();
        control->Release();
        graph->Release();
    }
};

void sample(HANDLE process, Series& series) {
    ProcessCounts c = countsOf(process);
    series.workingSetKb.push_back(static_cast<long>(c.workingSet / 1024));
    series.handles.push_back(c.handles);
    series.gdiObjects.push_back(c.gdiObjects);
}

TEST(Soak, MemoryHandlesAndGdiObjectsStayFlatWhileAListLoops) {
    std::string list = "#EXTM3U";
    for (const wchar_t* name : kFiles)
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
    BareLoop bare;
    HANDLE bareThread = CreateThread(nullptr, 0, BareLoop::run, &bare, 0, nullptr);
    Series series, baseline;
    DWORD start = GetTickCount();
    int unanswered = 0;
    while (GetTickCount() - start < total) {
        Sleep(every);
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(player.main(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result))
            ++unanswered;
        if (GetTickCount() - start < warmUp)
            continue;
        sample(process, series);
        sample(GetCurrentProcess(), baseline);
        std::printf("soak %6.1f min  player: %7ld KB %5ld handles %4ld GDI   bare loop: %7ld KB %5ld handles "
                    "%4ld GDI\n",
                    (GetTickCount() - start) / 60000.0, series.workingSetKb.back(), series.handles.back(),
                    series.gdiObjects.back(), baseline.workingSetKb.back(), baseline.handles.back(),
                    baseline.gdiObjects.back());
        std::fflush(stdout);
    }
    bare.stop = true;
    WaitForSingleObject(bareThread, 10000);
    CloseHandle(bareThread);
    CloseHandle(process);
    EXPECT_EQ(unanswered, 0) << "the window answered every probe within a second";
    EXPECT_EQ(player.close(), 0);
    ASSERT_GE(series.workingSetKb.size(), 3u);

    // Noise: a few megabytes of the platform's caches; handles and GDI objects come and go with
    // each opened file.
    struct Limit {
        const char* what;
        const std::vector<long>& player;
        const std::vector<long>& bare;
        long slack;
    } limits[] = {{"working set (KB)", series.workingSetKb, baseline.workingSetKb, 16 * 1024},
                  {"handles", series.handles, baseline.handles, 60},
                  {"GDI objects", series.gdiObjects, baseline.gdiObjects, 40}};
    for (const Limit& l : limits) {
        long first, last, bareFirst, bareLast;
        ends(l.player, &first, &last);
        ends(l.bare, &bareFirst, &bareLast);
        long allowed = (bareLast > bareFirst ? bareLast - bareFirst : 0) + l.slack;
        std::printf("soak %-17s player %+7ld (from %ld to %ld), bare loop %+7ld, allowed %+ld\n", l.what,
                    last - first, first, last, bareLast - bareFirst, allowed);
        if (first < 0)
            continue; // the system does not tell
        EXPECT_LE(last - first, allowed) << l.what << " grew beyond the platform's own growth and noise";
    }
}
} // namespace
