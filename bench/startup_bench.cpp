// The player against bare programs built beside it, started and driven from outside as a user
// would: start-up to a visible window and to its first answered message (against a bare window),
// a dropped file to its first frame, a start with a file (a double-click on it) to its first frame
// and the CPU while it plays (against a bare DirectShow player), and the memory of an idle window,
// each in pairs (pairs.h); nothing is asserted. Run under Wine by `make bench`. With "--one
// first-frame|cpu player|bare" it makes one run of one side and prints its figure, and with
// "--pairs FILE" it pairs such lines up: the player in the prefix like stock Windows and the bare
// player in the normal one cannot be started by one program.
#include "../tests/common/test_files.h"
#include "pairs.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <functional>
#include <set>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Program {
    const wchar_t* name;
    std::wstring exe;
    const wchar_t* windowClass;
    const wchar_t* videoClass; // the child that shows the picture, or none for the whole client area
    std::wstring folder;
};

// One started program: its process and its main window.
class Launch {
public:
    // Starts the program, with `file` on its command line when one is given.
    explicit Launch(const Program& p, const std::wstring& file = L"") : program_(p) {
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        std::wstring command = L"\"" + p.exe + L"\"" + (file.empty() ? L"" : L" \"" + file + L"\"");
        // Each start finds the list it would after a session that dropped nothing.
        DeleteFileW((p.folder + L"\\default.m3u").c_str());
        start_ = Clock::now();
        if (!CreateProcessW(p.exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            p.folder.c_str(), &startup, &process_))
            return;
        while (window_ == nullptr && msSince(start_) < 10000) {
            for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, p.windowClass, nullptr)) != nullptr;) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == process_.dwProcessId && IsWindowVisible(w))
                    window_ = w;
            }
            if (window_ == nullptr)
                Sleep(1);
        }
        visibleMs = msSince(start_);
        DWORD_PTR result = 0;
        if (window_ != nullptr &&
            SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result) != 0)
            roundTripMs = msSince(start_);
    }
    ~Launch() {
        if (process_.hProcess == nullptr)
            return;
        PostMessageW(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    Launch(const Launch&) = delete;
    Launch& operator=(const Launch&) = delete;

    bool ok() const { return roundTripMs > 0; }
    double idleMegabytes() const {
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof counters;
        GetProcessMemoryInfo(process_.hProcess, &counters, sizeof counters);
        return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
    }
    // Wine answers GetProcessTimes for its own process only; its process list has every one's.
    double cpuMs() const {
        std::vector<char> list(1 << 22);
        ULONG got = 0;
        if (NtQuerySystemInformation(SystemProcessInformation, list.data(), static_cast<ULONG>(list.size()),
                                     &got) < 0)
            return -1;
        for (const char* p = list.data();;
             p += reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(p)->NextEntryOffset) {
            auto* info = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(p);
            if (reinterpret_cast<ULONG_PTR>(info->UniqueProcessId) == process_.dwProcessId) {
                // User and kernel time follow the creation time, in 100 ns.
                auto* times = reinterpret_cast<const LARGE_INTEGER*>(p + 0x28);
                return static_cast<double>(times[0].QuadPart + times[1].QuadPart) / 1e4;
            }
            if (info->NextEntryOffset == 0)
                return -1;
        }
    }
    // Drops `files` and waits for a picture in the video area: many colours where before there was
    // one background. Milliseconds from the drop, or -1 when none came within 10 s.
    double dropToFirstFrameMs(const std::vector<std::wstring>& files) const {
        Clock::time_point drop = Clock::now();
        return dropOn(process_.hProcess, window_, files) ? firstFrameMsSince(drop) : -1;
    }
    // Milliseconds from the start to a picture in the video area (-1: none within 10 s).
    double startToFirstFrameMs() const { return firstFrameMsSince(start_); }

    double visibleMs = -1, roundTripMs = -1;

private:
    double firstFrameMsSince(Clock::time_point from) const {
        while (msSince(from) < 10000) {
            if (colours() >= 8)
                return msSince(from);
            Sleep(1);
        }
        return -1;
    }

    // The distinct colours of an 8 x 8 grid over the video area, as the screen shows it.
    int colours() const {
        HWND video =
            program_.videoClass ? FindWindowExW(window_, nullptr, program_.videoClass, nullptr) : window_;
        RECT r = {};
        GetClientRect(video, &r);
        MapWindowPoints(video, nullptr, reinterpret_cast<POINT*>(&r), 2);
        if (r.right - r.left < 16 || r.bottom - r.top < 16)
            return 0;
        HDC screen = GetDC(nullptr);
        std::set<COLORREF> seen;
        for (int i = 0; i < 8; ++i)
            for (int j = 0; j < 8; ++j)
                seen.insert(GetPixel(screen, r.left + (r.right - r.left) * (2 * i + 1) / 16,
                                     r.top + (r.bottom - r.top) * (2 * j + 1) / 16));
        ReleaseDC(nullptr, screen);
        return static_cast<int>(seen.size());
    }

    const Program& program_;
    PROCESS_INFORMATION process_ = {};
    HWND window_ = nullptr;
    Clock::time_point start_;
};

using bench::Figures;

// Runs `measure` on both programs in pairs and prints each figure it returns.
void compare(const std::vector<const char*>& what, const char* unit, int runs, const Program& player,
             const Program& baseline, const std::function<Figures(const Program&)>& measure) {
    std::vector<bench::Paired> paired = bench::inPairs(
        runs, what.size(), [&] { return measure(player); }, [&] { return measure(baseline); });
    for (std::size_t k = 0; k < what.size(); ++k)
        std::printf("%-30s ZonPlayer %8.1f %-3s  %-16ls %8.1f %-3s  ratio %5.2f  (median of %zu pairs)\n",
                    what[k], paired[k].ours, unit, baseline.name, paired[k].theirs, unit, paired[k].ratio,
                    paired[k].pairs);
    std::fflush(stdout);
}

Figures firstFrame(const Program& p, const std::vector<std::wstring>& files) {
    Launch launch(p);
    Sleep(500);
    return Figures{launch.ok() ? launch.dropToFirstFrameMs(files) : -1};
}

Figures cpuWhilePlaying(const Program& p) {
    Launch launch(p);
    Sleep(500);
    if (!launch.ok() || launch.dropToFirstFrameMs({mediaPath(L"long.mp4")}) < 0)
        return Figures{-1};
    double before = launch.cpuMs();
    Sleep(20000);
    return Figures{launch.cpuMs() - before};
}

// Lines "<figure> <player|bare> <value>" paired up in the order they came, a figure at a time.
void printPairsFrom(const char* path, const wchar_t* baseline) {
    struct Sides {
        std::vector<double> ours, theirs;
    };
    std::vector<std::pair<std::string, Sides>> figures;
    FILE* file = std::fopen(path, "r");
    char what[32], side[16];
    double value = 0;
    while (file != nullptr && std::fscanf(file, "%31s %15s %lf", what, side, &value) == 3) {
        auto at =
            std::find_if(figures.begin(), figures.end(), [&](const auto& f) { return f.first == what; });
        if (at == figures.end())
            at = figures.insert(figures.end(), {what, {}});
        (std::strcmp(side, "player") == 0 ? at->second.ours : at->second.theirs).push_back(value);
    }
    if (file != nullptr)
        std::fclose(file);
    for (const auto& [name, sides] : figures) {
        bench::Paired p = bench::pairUp(sides.ours, sides.theirs);
        const char* label = name == "cpu" ? "CPU while playing 20 s (mp4 *)" : "drop to first frame (mp4 *)";
        std::printf("%-30s ZonPlayer %8.1f ms   %-16ls %8.1f ms   ratio %5.2f  (median of %zu pairs)\n",
                    label, p.ours, baseline, p.theirs, p.ratio, p.pairs);
    }
    std::printf(
        "* ZonPlayer through its own Media Foundation source in the prefix like stock Windows, the bare\n"
        "  player through DirectShow in the normal prefix\n");
}

int runsFromEnvironment(const wchar_t* variable, int fallback) {
    wchar_t value[16] = {};
    return GetEnvironmentVariableW(variable, value, 16) != 0 ? _wtoi(value) : fallback;
}
} // namespace

int main(int argc, char** argv) {
    std::wstring built = pathFromEnvironment(L"ZON_BENCH_BIN");
    auto placed = [](const std::wstring& exe, const wchar_t* name) {
        std::wstring folder = freshFolder(L"bench");
        std::wstring copy = folder + L"\\" + name;
        CopyFileW(exe.c_str(), copy.c_str(), FALSE);
        return std::make_pair(copy, folder);
    };
    auto [playerExe, playerFolder] = placed(pathFromEnvironment(L"ZON_PLAYER_EXE"), L"ZonPlayer.exe");
    auto [windowExe, windowFolder] = placed(built + L"\\bare_window.exe", L"bare_window.exe");
    auto [bareExe, bareFolder] = placed(built + L"\\bare_player.exe", L"bare_player.exe");
    Program player = {L"ZonPlayer", playerExe, L"Zon Player", L"Zon Display", playerFolder};
    Program window = {L"bare window", windowExe, L"Bare Window", nullptr, windowFolder};
    Program bare = {L"bare DirectShow", bareExe, L"Bare Player", nullptr, bareFolder};
    if (argc == 3 && std::strcmp(argv[1], "--pairs") == 0) {
        printPairsFrom(argv[2], bare.name);
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--one") == 0) {
        const Program& p = std::strcmp(argv[3], "player") == 0 ? player : bare;
        Figures f =
            std::strcmp(argv[2], "cpu") == 0 ? cpuWhilePlaying(p) : firstFrame(p, {mediaPath(L"long.mp4")});
        std::printf("%s %s %.1f\n", argv[2], argv[3], f[0]);
        return 0;
    }
    int runs = runsFromEnvironment(L"ZON_BENCH_RUNS", 20);
    int playRuns = runsFromEnvironment(L"ZON_BENCH_PLAY_RUNS", 3);

    // The first start of each fills the system's caches; it is not counted.
    Launch(player).ok();
    Launch(window).ok();
    compare({"start-up to visible", "start-up to first round trip"}, "ms", runs, player, window,
            [](const Program& p) {
                Launch launch(p);
                return Figures{launch.visibleMs, launch.roundTripMs};
            });
    compare({"idle memory (working set)"}, "MB", playRuns, player, window, [](const Program& p) {
        Launch launch(p);
        Sleep(2000);
        return Figures{launch.ok() ? launch.idleMegabytes() : -1};
    });
    for (const wchar_t* clip : {L"long.mp4", L"long.avi"}) {
        std::wstring file = mediaPath(clip);
        char what[64];
        std::snprintf(what, sizeof what, "drop to first frame (%ls)", clip);
        compare({what}, "ms", runs / 2, player, bare,
                [&](const Program& p) { return firstFrame(p, {file}); });
    }
    // An unplayable file dropped first: skipped, then the clip's first frame.
    compare({"skip, then first frame (mp4)"}, "ms", runs / 2, player, bare, [&](const Program& p) {
        return firstFrame(p, {mediaPath(L"broken.avi"), mediaPath(L"long.mp4")});
    });
    for (const wchar_t* clip : {L"long.mp4", L"long.avi"}) {
        std::wstring file = mediaPath(clip);
        char what[64];
        std::snprintf(what, sizeof what, "start+file to frame (%ls)", clip);
        compare({what}, "ms", runs / 2, player, bare, [&](const Program& p) {
            Launch launch(p, file);
            return Figures{launch.ok() ? launch.startToFirstFrameMs() : -1};
        });
    }
    compare({"CPU while playing 20 s (mp4)"}, "ms", playRuns, player, bare, cpuWhilePlaying);
    return 0;
}
