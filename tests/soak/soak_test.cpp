// The player left looping a list of short clips, with and without sound, and entries it cannot play,
// for ZON_SOAK_MINUTES (default 2; `make soak` runs an hour). Its memory, handles and GDI objects are
// sampled all along, and its window must answer within a second. Some platforms keep a little of
// every graph that played (Wine 8 does: threads, registry keys, memory of its decoders), so the
// same files are played meanwhile by a bare DirectShow loop in this process: the player may grow
// by what that loop grows, and by noise, but by nothing of its own.
#include "../e2e/player.h"
#include "win32/com_ptr.h"

#include <dshow.h>
#include <gtest/gtest.h>
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {
// Where the system's own answers are missing (Wine answers 0 to GetProcessHandleCount and to
// GetGuiResources), the counts come from what it does keep: the system handle list, in which every
// handle carries its owner, and the process's GDI handle table, whose address its PEB holds, as it
// did on Windows of old. Live GDI entries have a nonzero type; stock objects do not count.
long handleCount(DWORD pid) {
    struct Entry {
        PVOID object;
        ULONG_PTR process, value;
        ULONG access;
        USHORT backTrace, type;
        ULONG attributes, reserved;
    };
    const auto kExtendedHandleList = static_cast<SYSTEM_INFORMATION_CLASS>(64);
    std::vector<ULONG_PTR> buffer(1 << 21); // room for some 400,000 handles of every process
    const auto bytes = static_cast<ULONG>(buffer.size() * sizeof(ULONG_PTR));
    if (NtQuerySystemInformation(kExtendedHandleList, buffer.data(), bytes, nullptr) < 0)
        return -1;
    std::size_t room = (bytes - 2 * sizeof(ULONG_PTR)) / sizeof(Entry);
    const Entry* entries = reinterpret_cast<const Entry*>(buffer.data() + 2);
    return static_cast<long>(std::count_if(entries, entries + std::min<std::size_t>(buffer[0], room),
                                           [&](const Entry& e) { return e.process == pid; }));
}

long gdiCount(HANDLE process) {
    struct Entry {
        UINT64 object;
        USHORT owner, locks;
        USHORT unique; // low byte: the object's kind, 0x80 for a stock object
        UCHAR type;    // 0: free
        UCHAR flags;
        UINT64 user;
    };
    static_assert(sizeof(Entry) == 24, "the table's entries are 24 bytes");
    PROCESS_BASIC_INFORMATION basic = {};
    UINT64 address = 0;
    std::vector<Entry> table(0x10000);
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) < 0 ||
        !ReadProcessMemory(process, reinterpret_cast<BYTE*>(basic.PebBaseAddress) + 0xF8, &address,
                           sizeof address, nullptr))
        return -1;
    if (address == 0)
        return 0; // GDI never started in that process
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(static_cast<ULONG_PTR>(address)),
                           table.data(), table.size() * sizeof(Entry), nullptr))
        return -1;
    return static_cast<long>(std::count_if(
        table.begin(), table.end(), [](const Entry& e) { return e.type != 0 && (e.unique & 0x80) == 0; }));
}

// What a process holds: its working set (KB), its kernel handles and its GDI objects (-1: not told).
std::array<long, 3> countsOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    DWORD handles = 0, gdi = GetGuiResources(process, GR_GDIOBJECTS);
    GetProcessMemoryInfo(process, &memory, sizeof memory);
    return {static_cast<long>(memory.WorkingSetSize / 1024),
            GetProcessHandleCount(process, &handles) && handles > 0 ? static_cast<long>(handles)
                                                                    : handleCount(GetProcessId(process)),
            gdi > 0 ? static_cast<long>(gdi) : gdiCount(process)};
}

const wchar_t* const kFiles[] = {L"clip320.avi", L"silent320.avi", L"corrupt.avi",  L"tone.wav",
                                 L"missing.avi", L"clip640.mp4",   L"silent640.avi"};

// The median of the first or of the last fifth of the samples, so that single peaks do not count.
long medianOfFifth(const std::vector<long>& values, bool last) {
    std::size_t fifth = std::max<std::size_t>(1, values.size() / 5);
    std::vector<long> part(last ? values.end() - static_cast<long>(fifth) : values.begin(),
                           last ? values.end() : values.begin() + static_cast<long>(fifth));
    std::nth_element(part.begin(), part.begin() + static_cast<long>(part.size() / 2), part.end());
    return part[part.size() / 2];
}

// Plays a file to its end, as the player does, with nothing but the platform's own graph.
void playOnce(const std::wstring& path, const std::atomic<bool>& stop) {
    ComPtr<IGraphBuilder> graph;
    ComPtr<IMediaControl> control;
    ComPtr<IMediaSeeking> seeking;
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                reinterpret_cast<void**>(&graph))) ||
        FAILED(graph.queryInterface(control)) || FAILED(graph.queryInterface(seeking)))
        return;
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        graph->RenderFile(path.c_str(), nullptr);
    LONGLONG duration = 0, position = 0;
    seeking->GetDuration(&duration);
    control->Run();
    while (!stop && duration > 0 && SUCCEEDED(seeking->GetCurrentPosition(&position)) && position < duration)
        pumpMessages(200);
    control->Stop();
}

TEST(Soak, MemoryHandlesAndGdiObjectsStayFlatWhileAListLoops) {
    wchar_t minutes[32] = {};
    GetEnvironmentVariableW(L"ZON_SOAK_MINUTES", minutes, 32);
    const DWORD total = static_cast<DWORD>((_wtof(minutes) > 0 ? _wtof(minutes) : 2) * 60000);
    const DWORD warmUp = std::min<DWORD>(30000, total / 5);
    std::vector<std::string> list;
    for (const wchar_t* name : kFiles)
        list.push_back(ansi(mediaPath(name)));
    Player player("[PLAYLIST]\r\nLoop=1\r\nIndex=0\r\n", {{L"default.m3u", m3u(list)}});
    ASSERT_TRUE(player.plays());
    std::atomic<bool> stop{false};
    // Each file on a thread of its own in the multithreaded apartment, as the player opens each
    // medium: what the platform keeps of every such thread is the platform's.
    std::thread bare([&] {
        for (std::size_t i = 0; !stop; i = (i + 1) % std::size(kFiles))
            std::thread([&, i] {
                CoInitializeEx(nullptr, COINIT_MULTITHREADED);
                playOnce(mediaPath(kFiles[i]), stop);
                CoUninitialize();
            }).join();
    });
    std::vector<long> series[2][3]; // the player's and the bare loop's working set, handles, GDI objects
    int unanswered = 0;
    for (DWORD start = GetTickCount(); GetTickCount() - start < total;) {
        Sleep(5000);
        unanswered += player.roundTrip(1000) ? 0 : 1;
        if (GetTickCount() - start < warmUp)
            continue;
        std::array<long, 3> c[2] = {countsOf(player.process()), countsOf(GetCurrentProcess())};
        for (int who = 0; who < 2; ++who)
            for (int k = 0; k < 3; ++k)
                series[who][k].push_back(c[who][k]);
        std::printf("soak %6.1f min  player: %7ld KB %5ld handles %4ld GDI   bare loop: %7ld KB %5ld handles "
                    "%4ld GDI\n",
                    (GetTickCount() - start) / 60000.0, c[0][0], c[0][1], c[0][2], c[1][0], c[1][1], c[1][2]);
        std::fflush(stdout);
    }
    stop = true;
    bare.join();
    EXPECT_EQ(unanswered, 0) << "the window answered every probe within a second";
    EXPECT_EQ(player.close(), 0);
    ASSERT_GE(series[0][0].size(), 3u);

    // Noise: a few megabytes of the platform's caches; handles and GDI objects come and go with
    // each opened file.
    const char* const what[] = {"working set (KB)", "handles", "GDI objects"};
    const long slack[] = {16 * 1024, 60, 40};
    for (int k = 0; k < 3; ++k) {
        long first = medianOfFifth(series[0][k], false), last = medianOfFifth(series[0][k], true);
        long bareGrowth = medianOfFifth(series[1][k], true) - medianOfFifth(series[1][k], false);
        long allowed = std::max(0L, bareGrowth) + slack[k];
        std::printf("soak %-17s player %+7ld (from %ld to %ld), bare loop %+7ld, allowed %+ld\n", what[k],
                    last - first, first, last, bareGrowth, allowed);
        // A count the system does not tell (-1) is not judged.
        EXPECT_LE(first < 0 ? 0 : last - first, allowed)
            << what[k] << " grew beyond the platform's own growth and noise";
    }
}
} // namespace
