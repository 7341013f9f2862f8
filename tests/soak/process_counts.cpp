#include "process_counts.h"

#include <psapi.h>

#include <cstddef>
#include <vector>

// Where the system's own answers are missing (Wine answers 0 to GetProcessHandleCount and to
// GetGuiResources), the counts come from what it does keep: the system handle list, in which every
// handle carries its owner, and the process's GDI handle table, whose address its PEB holds, as it
// did on Windows of old. Live GDI entries have a nonzero type; stock objects do not count.
namespace {
using QuerySystem = LONG(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
using QueryProcess = LONG(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
constexpr ULONG kExtendedHandleList = 64;
constexpr LONG kLengthMismatch = static_cast<LONG>(0xC0000004);

template <class F> F ntdll(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

struct HandleEntry {
    PVOID object;
    ULONG_PTR process;
    ULONG_PTR value;
    ULONG access;
    USHORT backTrace, type;
    ULONG attributes, reserved;
};

long handleCount(DWORD pid) {
    static QuerySystem query = ntdll<QuerySystem>("NtQuerySystemInformation");
    if (query == nullptr)
        return -1;
    std::vector<ULONG_PTR> buffer(8192);
    for (int attempt = 0; attempt < 10; ++attempt) {
        ULONG bytes = static_cast<ULONG>(buffer.size() * sizeof(ULONG_PTR)), needed = 0;
        LONG status = query(kExtendedHandleList, buffer.data(), bytes, &needed);
        if (status == kLengthMismatch) {
            buffer.resize((needed > bytes ? needed : 2 * bytes) / sizeof(ULONG_PTR) + 1024);
            continue;
        }
        if (status < 0)
            return -1;
        std::size_t room = (bytes - 2 * sizeof(ULONG_PTR)) / sizeof(HandleEntry);
        std::size_t n = buffer[0] < room ? buffer[0] : room;
        const HandleEntry* entries = reinterpret_cast<const HandleEntry*>(buffer.data() + 2);
        long count = 0;
        for (std::size_t i = 0; i < n; ++i)
            count += entries[i].process == pid ? 1 : 0;
        return count;
    }
    return -1;
}

struct GdiEntry {
    UINT64 object;
    USHORT owner, locks;
    USHORT unique; // low byte: the object's kind, 0x80 for a stock object
    UCHAR type;    // 0: free
    UCHAR flags;
    UINT64 user;
};
static_assert(sizeof(GdiEntry) == 24, "the table's entries are 24 bytes");

long gdiCount(HANDLE process) {
    static QueryProcess query = ntdll<QueryProcess>("NtQueryInformationProcess");
    struct {
        LONG exitStatus;
        PVOID peb;
        ULONG_PTR affinity;
        LONG priority;
        ULONG_PTR id, parent;
    } basic = {};
    UINT64 table = 0;
    SIZE_T got = 0;
    if (query == nullptr || query(process, 0, &basic, sizeof basic, nullptr) < 0 || basic.peb == nullptr ||
        !ReadProcessMemory(process, static_cast<BYTE*>(basic.peb) + 0xF8, &table, sizeof table, &got))
        return -1;
    if (table == 0)
        return 0; // GDI never started in that process
    // Entries are handed out in order, so the first chunk of unused ones ends the table.
    constexpr std::size_t kChunk = 2048, kEntries = 0x10000;
    std::vector<GdiEntry> chunk(kChunk);
    long count = 0;
    for (std::size_t first = 0; first < kEntries; first += kChunk) {
        const void* at =
            reinterpret_cast<const void*>(static_cast<ULONG_PTR>(table + first * sizeof(GdiEntry)));
        if (!ReadProcessMemory(process, at, chunk.data(), kChunk * sizeof(GdiEntry), &got) || got == 0)
            break;
        bool unused = true;
        for (std::size_t i = 0; i < got / sizeof(GdiEntry); ++i) {
            const GdiEntry& e = chunk[i];
            unused = unused && e.object == 0 && e.type == 0 && e.unique == 0;
            count += e.type != 0 && (e.unique & 0x80) == 0 ? 1 : 0;
        }
        if (unused)
            break;
    }
    return count;
}
} // namespace

ProcessCounts countsOf(HANDLE process) {
    ProcessCounts counts = {0, -1, -1};
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, &memory, sizeof memory))
        counts.workingSet = memory.WorkingSetSize;
    DWORD handles = 0;
    counts.handles = GetProcessHandleCount(process, &handles) && handles > 0
                         ? static_cast<long>(handles)
                         : handleCount(GetProcessId(process));
    DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    counts.gdiObjects = gdi > 0 ? static_cast<long>(gdi) : gdiCount(process);
    return counts;
}
