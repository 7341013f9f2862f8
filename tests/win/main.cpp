// Win32 unit tests run under Wine in one process that holds the player's real windows.
#include "app/shell.h"
#include "support.h"
#include "skin/skin.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <cstdio>

namespace {
// A test that never returns would hold the whole run until the outer timeout and leave no trace
// of which one it was: one that runs longer than this is named, and the process ends.
constexpr ULONGLONG kHangMs = 60'000;

DWORD WINAPI watchForHangs(void*) {
    const testing::TestInfo* seen = nullptr;
    for (ULONGLONG since = 0;; Sleep(1000)) {
        const testing::TestInfo* running = testing::UnitTest::GetInstance()->current_test_info();
        if (running != seen)
            seen = running, since = GetTickCount64();
        if (running == nullptr || GetTickCount64() - since < kHangMs)
            continue;
        fprintf(stderr, "[  HUNG    ] %s.%s after %llu s\n", running->test_suite_name(), running->name(),
                kHangMs / 1000);
        fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 124);
    }
}
} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    LoadStringW(instance, 103, captionText, 32);
    loadSkin(instance);
    computeProgramLocation();
    if (!createPlayerWindows(instance, SW_SHOWNORMAL)) {
        fprintf(stderr, "the player's windows could not be created\n");
        return 1;
    }
    CloseHandle(CreateThread(nullptr, 0, watchForHangs, nullptr, 0, nullptr));
    int result = RUN_ALL_TESTS();
    DestroyWindow(mainWindow);
    CoUninitialize();
    return result;
}
