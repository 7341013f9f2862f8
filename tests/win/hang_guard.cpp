// A test that never returns would hold the whole run until the outer timeout and leave no trace of
// which one it was. The guard names such a test and ends the process.
#include "support.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <cstdio>

std::vector<DWORD> threadsOfThisProcess() {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ids.push_back(entry.th32ThreadID);
    CloseHandle(snapshot);
    return ids;
}

namespace {
// Watches which test runs: one that has run longer than the limit is named, then ends the run.
DWORD WINAPI watch(void* limit) {
    const ULONGLONG ms = reinterpret_cast<ULONG_PTR>(limit) * 1000ull;
    const testing::TestInfo* seen = nullptr;
    for (ULONGLONG since = 0;; Sleep(1000)) {
        const testing::TestInfo* running = testing::UnitTest::GetInstance()->current_test_info();
        if (running != seen) {
            seen = running;
            since = GetTickCount64();
        }
        if (running == nullptr || GetTickCount64() - since < ms)
            continue;
        fprintf(stderr, "[  HUNG    ] %s.%s after %llu s\n", running->test_suite_name(), running->name(),
                ms / 1000);
        fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 124);
    }
}
} // namespace

void guardAgainstHangs(unsigned seconds) {
    CloseHandle(CreateThread(nullptr, 0, watch, reinterpret_cast<void*>(static_cast<ULONG_PTR>(seconds)), 0,
                             nullptr));
}
