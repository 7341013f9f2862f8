// The everyday tools through the keys, the wheel and the mouse: the master volume's hint, rename
// and move of the playing file.
#include "player.h"
#include "win32/guards.h"

#include <commctrl.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace {
using std::filesystem::exists;

// Copies of a short clip under the given names, in a folder of their own, in a list that a
// started player plays from its first entry.
struct Clips {
    std::wstring folder = freshFolder(L"tools");
    Lines paths;
    explicit Clips(const std::vector<std::wstring>& names) {
        for (const std::wstring& name : names)
            paths.push_back(ansi(copyOf(at(name))));
    }
    std::wstring at(const std::wstring& name) const { return folder + L"\\" + name; }
    std::vector<Beside> list() const { return {{L"default.m3u", m3u(paths)}}; }
};

// Selects `folder` in the player's folder browser, asking again until its tree shows the folder
// selected: Wine's browser may take the request before its tree is filled, and then drops it.
bool selectInBrowser(const Player& player, HWND browser, const std::wstring& folder) {
    HWND tree = FindWindowExW(browser, nullptr, L"SysTreeView32", nullptr);
    void* path = copyInto(player.process(), folder.c_str(), (folder.size() + 1) * sizeof(wchar_t));
    wchar_t text[MAX_PATH] = {};
    auto* remoteText = static_cast<wchar_t*>(copyInto(player.process(), text, sizeof text));
    TVITEMW item = {TVIF_TEXT, nullptr, 0, 0, remoteText, MAX_PATH, 0, 0, 0, 0};
    void* remoteItem = copyInto(player.process(), &item, sizeof item);
    auto selectedName = [&] {
        item.hItem = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
        WriteProcessMemory(player.process(), remoteItem, &item, sizeof item, nullptr);
        SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remoteItem));
        ReadProcessMemory(player.process(), remoteText, text, sizeof text, nullptr);
        return std::wstring(text);
    };
    return tree != nullptr && eventually([&] {
               SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path));
               return selectedName() == folder.substr(folder.rfind(L'\\') + 1);
           });
}

// The volume hint's full-height bars, counted along its top row of pixels, and their colour.
std::pair<int, COLORREF> litBars(const Player& player) {
    RECT r = {};
    GetWindowRect(player.topWindow(L"Zon Hint"), &r);
    WindowDc screen(nullptr);
    std::pair<int, COLORREF> bars = {0, 0};
    for (LONG x = r.left, inBar = 0; x < r.right; ++x) {
        COLORREF c = GetPixel(screen, x, r.top + 1);
        bool bar = c == RGB(0, 255, 0) || c == RGB(255, 0, 0);
        if (bar && !inBar)
            bars = {bars.first + 1, c};
        inBar = bar;
    }
    return bars;
}

TEST(MasterVolume, TheWheelAndClicksOnTheMuteButtonMoveTheHintsBars) {
    Player player(kFirstPlays, Clips({L"clip.avi"}).list());
    ASSERT_TRUE(player.plays() && player.showsPicture());
    RECT w = player.windowRect();
    SetCursorPos(w.left + 151, w.bottom - 23); // the mute button
    mouse(MOUSEEVENTF_MOVE);
    constexpr COLORREF green = RGB(0, 255, 0), red = RGB(255, 0, 0);
    struct Step {
        int notches;
        int click; // a click there, moved by this much: a second click on the same spot is a double click
        std::pair<int, COLORREF> bars;
    } steps[] = {{5, 0, {30, green}},
                 {-3, 0, {29, green}}, // full however far it turns; 97 %
                 {0, 6, {29, red}},
                 {0, -6, {29, green}},
                 {3, 0, {30, green}}};
    for (const Step& s : steps) {
        wheel(s.notches);
        if (s.click != 0)
            mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, s.click);
        std::pair<int, COLORREF> bars;
        EXPECT_TRUE(eventually([&] { return (bars = litBars(player)) == s.bars; }))
            << s.notches << (s.click ? " and a click: " : ": ") << bars.first << " bars of " << std::hex
            << bars.second;
    }
}

TEST(Rename, TheSameNameResumesANewOneKeepsTheExtensionAndTheTitleAndTheNextPlays) {
    Clips clips({L"Old.avi", L"Next.avi"});
    Player player(kFirstPlays, clips.list());
    ASSERT_TRUE(player.plays() && player.showsPicture());
    // The same name first: had it moved on, the second dialog would name the next file.
    for (const wchar_t* name : {L"", L"New"}) {
        player.postKey(WM_KEYDOWN, 'R');
        HWND dialog = player.topWindow(L"#32770"), edit = GetDlgItem(dialog, 1000);
        EXPECT_EQ(windowText(edit), L"Old");
        EXPECT_EQ(SendMessageW(edit, EM_GETSEL, 0, 0), MAKELONG(0, 3)) << "all of it selected";
        ASSERT_TRUE(answer(dialog, name)); // the name has the focus
        ASSERT_TRUE(player.roundTrip());
    }
    // The player may answer a round trip while it is still busy with the file.
    EXPECT_TRUE(eventually([&] { return exists(clips.at(L"New.avi")) && !exists(clips.at(L"Old.avi")); }));
    EXPECT_EQ(windowText(player.topWindow(L"Zon Hint")), L"重命名为：New.avi");
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(player.index(), L"1");
    EXPECT_NE(player.listFile().find(",Old\r\n" + ansi(clips.at(L"New.avi"))), std::string::npos)
        << "the row keeps its title";
}

TEST(MoveToFolder, TheFirstDigitAsksForTheFolderTheSecondMovesAtOnceAndATakenNameStays) {
    Clips clips({L"A.avi", L"B.avi", L"C.avi", L"D.avi"});
    // Wine's folder browser walks only to folders it lists: not to the hidden temporary folder.
    std::wstring target = L"C:\\zon-moves-" + std::to_wstring(GetTickCount());
    CreateDirectoryW(target.c_str(), nullptr);
    writeFile(target + L"\\C.avi", "already here");
    Player player(kFirstPlays, clips.list());
    ASSERT_TRUE(player.plays() && player.showsPicture());
    player.postKey(WM_KEYDOWN, '1');
    HWND browser = player.topWindow(L"#32770");
    ASSERT_TRUE(selectInBrowser(player, browser, target));
    ASSERT_TRUE(answer(browser));
    EXPECT_TRUE(eventually([&] { return exists(target + L"\\A.avi"); }));
    EXPECT_EQ(windowText(player.topWindow(L"Zon Hint")), L"移动到：" + target + L"\\");
    player.postKey(WM_KEYDOWN, '1'); // B moves without asking
    EXPECT_TRUE(eventually([&] { return exists(target + L"\\B.avi"); }));
    player.postKey(WM_KEYDOWN, '1'); // C's name is taken there
    player.postKey(WM_KEYDOWN, 'P'); // D pauses: digits do nothing now
    player.postKey(WM_KEYDOWN, '2');
    ASSERT_TRUE(player.roundTrip());
    EXPECT_EQ(GetForegroundWindow(), player.main()) << "no folder browser";
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(readFile(target + L"\\C.avi"), "already here");
    EXPECT_EQ(pathLines(player.listFile()),
              (Lines{ansi(target + L"\\A.avi"), ansi(target + L"\\B.avi"), clips.paths[2], clips.paths[3]}));
    EXPECT_EQ(player.index(), L"3");
    std::filesystem::remove_all(target);
}
} // namespace
