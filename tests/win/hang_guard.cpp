// A test that never returns would hold the whole run until the outer timeout and leave no trace of
// where it stood. The guard names such a test, prints each thread's return addresses (module and
// offset, for addr2line), and ends the process.
#include "support.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <atomic>
#include <cstdio>
#include <string>

namespace {
std::atomic<ULONGLONG> testStarted{0};
std::string testName;

class Recorder : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo& info) override {
        testName = std::string(info.test_suite_name()) + "." + info.name();
        testStarted = GetTickCount64();
    }
    void OnTestEnd(const testing::TestInfo&) override { testStarted = 0; }
};

void printFrame(DWORD64 address) {
    HMODULE module = nullptr;
    wchar_t name[MAX_PATH] = L"?";
    if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(address), &module))
        GetModuleFileNameW(module, name, MAX_PATH);
    const wchar_t* base = wcsrchr(name, L'\\');
    fprintf(stderr, "    %ls+0x%llx\n", base != nullptr ? base + 1 : name,
            static_cast<unsigned long long>(address - reinterpret_cast<DWORD64>(module)));
}

// Unwinds a suspended thread of this process by the modules' own unwind tables.
void printStack(HANDLE thread) {
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_FULL;
    if (!GetThreadContext(thread, &context))
        return;
    for (int depth = 0; depth < 32 && context.Rip != 0; ++depth) {
        printFrame(context.Rip);
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

void printEveryThread() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != GetCurrentProcessId() || entry.th32ThreadID == GetCurrentThreadId())
            continue;
        HANDLE thread = OpenThread(THREAD_ALL_ACCESS, FALSE, entry.th32ThreadID);
        if (thread == nullptr)
            continue;
        fprintf(stderr, "  thread %lu\n", entry.th32ThreadID);
        if (SuspendThread(thread) != static_cast<DWORD>(-1))
            printStack(thread);
        CloseHandle(thread);
    }
    CloseHandle(snapshot);
}

DWORD WINAPI watch(void* limit) {
    const ULONGLONG ms = reinterpret_cast<ULONG_PTR>(limit) * 1000ull;
    for (;;) {
        Sleep(1000);
        ULONGLONG started = testStarted;
        if (started == 0 || GetTickCount64() - started < ms)
            continue;
        fprintf(stderr, "[  HUNG    ] %s after %llu s\n", testName.c_str(), ms / 1000);
        printEveryThread();
        fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 124);
    }
}
} // namespace

void guardAgainstHangs(unsigned seconds) {
    testing::UnitTest::GetInstance()->listeners().Append(new Recorder);
    CloseHandle(CreateThread(nullptr, 0, watch, reinterpret_cast<void*>(static_cast<ULONG_PTR>(seconds)), 0,
                             nullptr));
}
