// The add dialog, driven as a user would: the list menu's command opens it in the player's process.
#include "player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
struct Find {
    DWORD process;
    HWND dialog;
};

BOOL CALLBACK findDialog(HWND w, LPARAM data) {
    Find* f = reinterpret_cast<Find*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    wchar_t cls[16] = {};
    GetClassNameW(w, cls, 16);
    if (pid == f->process && lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(w)) {
        f->dialog = w;
        return FALSE;
    }
    return TRUE;
}

HWND waitForDialog(const Player& player) {
    DWORD pid = 0;
    GetWindowThreadProcessId(player.main(), &pid);
    Find f = {pid, nullptr};
    for (int i = 0; i < 250 && f.dialog == nullptr; ++i) {
        EnumWindows(findDialog, reinterpret_cast<LPARAM>(&f));
        if (f.dialog == nullptr)
            Sleep(20);
    }
    return f.dialog;
}

// The file-name box of the open dialog: the edit control of its file-name field (control 0x47c,
// a combo box, or 0x480, an edit box, depending on the dialog's version).
BOOL CALLBACK findNameBox(HWND w, LPARAM data) {
    HWND* found = reinterpret_cast<HWND*>(data);
    wchar_t cls[32] = {};
    GetClassNameW(w, cls, 32);
    int id = GetDlgCtrlID(w);
    int parentId = GetDlgCtrlID(GetParent(w));
    if (lstrcmpiW(cls, L"Edit") == 0 &&
        (id == 0x480 || id == 0x47c || parentId == 0x47c || parentId == 0x480)) {
        *found = w;
        return FALSE;
    }
    return TRUE;
}

HWND fileNameBox(HWND dialog) {
    HWND found = nullptr;
    EnumChildWindows(dialog, findNameBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The dialog's own loop runs inside the player's command: wait until it has returned.
bool waitUntilGone(HWND dialog) {
    for (int i = 0; i < 250 && IsWindow(dialog); ++i)
        Sleep(20);
    return !IsWindow(dialog);
}

TEST(AddDialog, OpenClearsTheListThenAddsTheChosenFile) {
    Player player("", {{L"default.m3u", "#EXTM3U\r\nC:\\old\\one.mp3\r\nC:\\old\\two.mp3"}});
    ASSERT_TRUE(player.started());
    Sleep(150);
    PostMessageW(player.main(), WM_COMMAND, MAKEWPARAM(40001, 0), 0);
    HWND dialog = waitForDialog(player);
    ASSERT_NE(dialog, nullptr);
    std::wstring clip = mediaPath(L"clip320.avi");
    SendMessageW(fileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(clip.c_str()));
    wchar_t typed[MAX_PATH] = {};
    SendMessageW(fileNameBox(dialog), WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(typed));
    ASSERT_EQ(std::wstring(typed), clip);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(waitUntilGone(dialog));
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(pathLines(readBytes(player.file(L"default.m3u"))), std::vector<std::string>{ansi(clip)});
}

TEST(AddDialog, CancellingAddsNothingAndOpenLeavesTheListCleared) {
    struct Case {
        WORD command;
        bool toList;
        std::size_t remaining;
    } cases[] = {{45001, true, 2}, {40001, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        Player player("", {{L"default.m3u", "#EXTM3U\r\nC:\\old\\one.mp3\r\nC:\\old\\two.mp3"}});
        ASSERT_TRUE(player.started());
        Sleep(150);
        HWND target = c.toList ? player.child(L"Zon PlayList") : player.main();
        PostMessageW(target, WM_COMMAND, MAKEWPARAM(c.command, 0), 0);
        HWND dialog = waitForDialog(player);
        ASSERT_NE(dialog, nullptr);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        ASSERT_TRUE(waitUntilGone(dialog));
        ASSERT_TRUE(player.roundTrip());
        EXPECT_EQ(player.close(), 0);
        EXPECT_EQ(pathLines(readBytes(player.file(L"default.m3u"))).size(), c.remaining);
    }
}
TEST(AboutBox, OpensOverThePlayerAndCloses) {
    Player player;
    ASSERT_TRUE(player.started());
    PostMessageW(player.main(), WM_COMMAND, MAKEWPARAM(43099, 0), 0);
    HWND dialog = waitForDialog(player);
    ASSERT_NE(dialog, nullptr);
    wchar_t title[64] = {};
    SendMessageW(dialog, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(title));
    EXPECT_EQ(std::wstring(title), L"关于 ZonPlayer");
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), player.main());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(waitUntilGone(dialog));
    EXPECT_EQ(player.close(), 0);
}

TEST(SaveDialog, SavingElsewhereMovesTheExitSaveThere) {
    const std::string original = "#EXTM3U\r\nC:\\old\\one.mp3\r\nC:\\old\\two.mp3";
    Player player("", {{L"default.m3u", original}});
    ASSERT_TRUE(player.started());
    Sleep(150);
    PostMessageW(player.child(L"Zon PlayList"), WM_COMMAND, MAKEWPARAM(45002, 0), 0);
    HWND dialog = waitForDialog(player);
    ASSERT_NE(dialog, nullptr);
    std::wstring target = player.file(L"other"); // the dialog adds the m3u extension
    SendMessageW(fileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(waitUntilGone(dialog));
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(readBytes(target + L".m3u"), original) << "written at once";
    // A file dropped now goes into the list, and the exit save goes to the chosen file.
    std::wstring clip = mediaPath(L"clip320.avi");
    ASSERT_TRUE(player.dropFiles({clip}));
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(pathLines(readBytes(target + L".m3u")).size(), 3u);
    EXPECT_EQ(readBytes(player.file(L"default.m3u")), original) << "default.m3u keeps what it had";
}
} // namespace
