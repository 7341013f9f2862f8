// The add dialog, driven as a user would: the list menu's command opens it in the player's process.
#include "player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
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

// Presses a button of the dialog and waits for its loop, inside the player's command, to return.
bool answer(HWND dialog, int button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    return eventually([&] { return !IsWindow(dialog); });
}

void type(HWND dialog, const std::wstring& text) {
    SendMessageW(fileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

const char kTwoOld[] = "#EXTM3U\r\nC:\\old\\one.mp3\r\nC:\\old\\two.mp3";

TEST(AddDialog, OpenClearsTheListAddAddsAndCancelAddsNothing) {
    std::string clip = ansi(mediaPath(L"clip320.avi"));
    struct Case {
        WORD command;
        bool chooseTheClip;
        std::vector<std::string> paths;
    } cases[] = {{40001, true, {clip}},
                 {40001, false, {}},
                 {45001, true, {"C:\\old\\one.mp3", "C:\\old\\two.mp3", clip}},
                 {45001, false, {"C:\\old\\one.mp3", "C:\\old\\two.mp3"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.command << (c.chooseTheClip ? " chosen" : " cancelled"));
        Player player("", {{L"default.m3u", kTwoOld}});
        ASSERT_TRUE(player.started());
        ASSERT_TRUE(player.listShown());
        HWND target = c.command == 40001 ? player.main() : player.child(L"Zon PlayList");
        PostMessageW(target, WM_COMMAND, MAKEWPARAM(c.command, 0), 0);
        HWND dialog = player.topWindow(L"#32770");
        ASSERT_NE(dialog, nullptr);
        if (c.chooseTheClip)
            type(dialog, mediaPath(L"clip320.avi"));
        ASSERT_TRUE(answer(dialog, c.chooseTheClip ? IDOK : IDCANCEL));
        ASSERT_TRUE(player.roundTrip());
        EXPECT_EQ(player.close(), 0);
        EXPECT_EQ(pathLines(readFile(player.file(L"default.m3u"))), c.paths);
    }
}

TEST(AboutBox, OpensOverThePlayerAndCloses) {
    Player player;
    ASSERT_TRUE(player.started());
    PostMessageW(player.main(), WM_COMMAND, MAKEWPARAM(43099, 0), 0);
    HWND dialog = player.topWindow(L"#32770");
    ASSERT_NE(dialog, nullptr);
    wchar_t title[64] = {};
    SendMessageW(dialog, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(title));
    EXPECT_EQ(std::wstring(title), L"关于 ZonPlayer");
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), player.main());
    ASSERT_TRUE(answer(dialog, IDOK));
    EXPECT_EQ(player.close(), 0);
}

TEST(SaveDialog, SavingElsewhereMovesTheListThere) {
    Player player("", {{L"default.m3u", kTwoOld}});
    ASSERT_TRUE(player.started());
    ASSERT_TRUE(player.listShown());
    PostMessageW(player.child(L"Zon PlayList"), WM_COMMAND, MAKEWPARAM(45002, 0), 0);
    HWND dialog = player.topWindow(L"#32770");
    ASSERT_NE(dialog, nullptr);
    std::wstring target = player.file(L"other"); // the dialog adds the m3u extension
    type(dialog, target);
    ASSERT_TRUE(answer(dialog, IDOK));
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(readFile(target + L".m3u"), kTwoOld) << "written at once";
    // A file dropped now goes into the list, and the list is saved to the chosen file.
    ASSERT_TRUE(player.dropFiles({mediaPath(L"clip320.avi")}));
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(pathLines(readFile(target + L".m3u")).size(), 3u);
    EXPECT_EQ(readFile(player.file(L"default.m3u")), kTwoOld) << "default.m3u keeps what it had";
}
} // namespace
