// A test that never returns would hold the whole run until the outer timeout and leave no trace of
// where it stood. The guard names such a test, prints each thread's return addresses (module and
// offset, for addr2line), and ends the process.
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
// Prints where a suspended thread of this process stands, unwinding by the modules' own tables.
void printStack(HANDLE thread) {
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_FULL;
    if (!GetThreadContext(thread, &context))
        return;
    for (int depth = 0; depth < 32 && context.Rip != 0; ++depth) {
        HMODULE module = nullptr;
        wchar_t name[MAX_PATH] = L"?";
        if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                   GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                               reinterpret_cast<LPCWSTR>(context.Rip), &module))
            GetModuleFileNameW(module, name, MAX_PATH);
        const wchar_t* base = wcsrchr(name, L'\\');
        fprintf(stderr, "    %ls+0x%llx\n", base != nullptr ? base + 1 : name,
                static_cast<unsigned long long>(context.Rip - reinterpret_cast<DWORD64>(module)));
        DWORD64 imageBase = 0;
        PRUNTIME_FUNCTION entry = RtlLookupFunctionEntry(context.Rip, &imageBase, nullptr);
        if (entry == nullptr) { // a leaf: the return address is on top of the stack
            context.Rip = *reinterpret_cast<DWORD64*>(context.Rsp);
            context.Rsp += 8;
            continue;
        }
        void* handlerData = nullptr;
        DWORD64 frame = 0;
        RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, context.Rip, entry, &context, &handlerData, &frame,
                         nullptr);
    }
}

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
        for (DWORD id : threadsOfThisProcess()) {
            HANDLE thread = id == GetCurrentThreadId() ? nullptr : OpenThread(THREAD_ALL_ACCESS, FALSE, id);
            if (thread == nullptr)
                continue;
            fprintf(stderr, "  thread %lu\n", id);
            if (SuspendThread(thread) != static_cast<DWORD>(-1))
                printStack(thread);
            CloseHandle(thread);
        }
        fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 124);
    }
}
} // namespace

void guardAgainstHangs(unsigned seconds) {
    CloseHandle(CreateThread(nullptr, 0, watch, reinterpret_cast<void*>(static_cast<ULONG_PTR>(seconds)), 0,
                             nullptr));
}
