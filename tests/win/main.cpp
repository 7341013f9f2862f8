// Win32 unit tests run under Wine in one process that holds the player's real windows.
#include "app/shell.h"
#include "support.h"
#include "skin/skin.h"

#include <gtest/gtest.h>
#include <objbase.h>

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
    guardAgainstHangs(60);
    int result = RUN_ALL_TESTS();
    DestroyWindow(mainWindow);
    CoUninitialize();
    return result;
}
