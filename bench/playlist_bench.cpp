// The list's own costs at 4096 and 100,000 entries, each against a baseline measured in the same
// run: reading against a plain read of the same file, writing against a plain write of the same
// bytes, sorting against sorting the same paths as plain strings; and the memory an entry takes.
// Medians of several runs; nothing is asserted. Run under Wine by `make bench`.
#include "pairs.h"
#include "win32/wide.h"
#include "playlist/playlist.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <new>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kRuns = 15;

double timeMs(const std::function<void()>& f) {
    Clock::time_point start = Clock::now();
    f();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Prints `ours` against `baseline` measured in pairs.
void compare(const char* what, int n, const std::function<void()>& ours, const char* baseline,
             const std::function<void()>& theirs) {
    bench::Paired p = bench::inPairs(
        kRuns, 1, [&] { return bench::Figures{timeMs(ours)}; },
        [&] { return bench::Figures{timeMs(theirs)}; })[0];
    std::printf("%-22s %7d entries %9.2f ms   %-28s %8.2f ms   ratio %5.2f   (median of %zu pairs)\n", what,
                n, p.ours, baseline, p.theirs, p.ratio, p.pairs);
}

std::string readAll(const std::wstring& file) {
    HANDLE f = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER size = {};
    GetFileSizeEx(f, &size);
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(f);
    return bytes;
}

// What a program that keeps no list safe would do: the bytes over the old file, written through.
void writePlainly(const std::wstring& file, const std::string& bytes) {
    HANDLE f = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    FlushFileBuffers(f);
    CloseHandle(f);
}

// What the program asked of the heap, counted by the allocation functions below (the heap's own
// bookkeeping comes on top).
std::size_t heapBytes;

void fill(int n) {
    const wchar_t* folders[] = {L"C:\\音乐\\流行", L"D:\\Video\\Series", L"E:\\下载",
                                L"C:\\Users\\me\\Music"};
    unsigned seed = 12345;
    for (int i = 0; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        std::wstring path = std::wstring(folders[seed % 4]) + L"\\track " + std::to_wstring(seed % 100000) +
                            (i % 3 == 0 ? L" 歌曲" : L" song") + L".mp3";
        PlaylistEntry& e = AppendEntry(mainList, asU16(path.c_str()));
        if (i % 2 == 0)
            e.duration = 60 + i;
    }
}

void measure(int n, const std::wstring& file) {
    ClearPlaylist(mainList);
    mainList.entries.shrink_to_fit();
    std::size_t before = heapBytes;
    fill(n);
    std::size_t after = heapBytes;
    std::printf("memory %d entries: %.0f bytes an entry\n", n,
                static_cast<double>(after - before) / static_cast<double>(n));

    std::string bytes = listFileText(mainList, file.c_str());
    std::wstring plain = file + L".plain";
    auto plainWrite = [&] { writePlainly(plain, bytes); };
    compare(
        "write (the whole save)", n, [&] { replaceListFile(file, listFileText(mainList, file.c_str())); },
        "plain write of the bytes", plainWrite);
    compare(
        "  the text", n, [&] { bytes = listFileText(mainList, file.c_str()); }, "plain write of the bytes",
        plainWrite);
    compare(
        "  the file", n, [&] { replaceListFile(file, bytes); }, "plain write of the bytes", plainWrite);

    compare(
        "read", n,
        [&] {
            ClearPlaylist(mainList);
            ReadM3u(file.c_str());
        },
        "plain read of the file", [&] { readAll(file); });

    std::vector<std::wstring> strings;
    for (const auto& e : mainList.entries)
        strings.push_back(asWide(e->path.c_str()));
    ShuffleRandom random;
    compare(
        "sort by path", n,
        [&] {
            shuffleEntries(mainList, random);
            sortActiveRange(0, mainList.count() - 1, SortByPath);
        },
        "plain sort of the paths",
        [&] {
            std::vector<std::wstring> copy = strings;
            std::stable_sort(copy.begin(), copy.end(), [](const std::wstring& a, const std::wstring& b) {
                return wcscmp(a.c_str(), b.c_str()) < 0;
            });
        });
    DeleteFileW(plain.c_str());
}
} // namespace

// The C runtime knows each block's size, so the count needs no header of its own.
void* operator new(std::size_t size) {
    void* p = std::malloc(size != 0 ? size : 1);
    if (p == nullptr)
        throw std::bad_alloc();
    heapBytes += _msize(p);
    return p;
}

void operator delete(void* p) noexcept {
    if (p != nullptr)
        heapBytes -= _msize(p);
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

int main() {
    activeList = &mainList;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring file = std::wstring(temp) + L"zon-bench-" + std::to_wstring(GetCurrentProcessId()) + L".m3u";
    mainList.fileName = asU16(file.c_str());
    for (int n : {4096, 100000})
        measure(n, file);
    ClearPlaylist(mainList);
    DeleteFileW(file.c_str());
    return 0;
}
