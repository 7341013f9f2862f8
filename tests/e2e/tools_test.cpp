// The everyday tools through the keys, the wheel and the mouse: the master volume's hint, rename
// and move of the playing file.
#include "player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// Asked of the window itself: a control of another process does not tell its text otherwise.
std::wstring windowText(HWND w) {
    wchar_t text[300] = {};
    SendMessageW(w, WM_GETTEXT, 300, reinterpret_cast<LPARAM>(text));
    return text;
}

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A list of copies of a short clip under the given names, in a folder of their own, playing the first.
struct Clips {
    std::wstring folder = freshFolder(L"tools");
    std::string list = "#EXTM3U";
    explicit Clips(const std::vector<std::wstring>& names) {
        for (const std::wstring& name : names) {
            CopyFileW(mediaPath(L"silent320.avi").c_str(), path(name).c_str(), FALSE);
            list += "\r\n" + ansi(path(name));
        }
    }
    std::wstring path(const std::wstring& name) const { return folder + L"\\" + name; }
};

void startPlaying(Player& player) {
    ASSERT_TRUE(player.started());
    ASSERT_TRUE(player.listShown());
    player.activate();
    SendMessageW(player.main(), WM_COMMAND, MAKEWPARAM(42001, 0), 0); // play the current entry
}

void press(HWND dialog, int button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    EXPECT_TRUE(eventually([&] { return !IsWindow(dialog); }));
}

void send(DWORD flags, DWORD data = 0, LONG dx = 0) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    input.mi.dx = dx;
    SendInput(1, &input, sizeof input);
}

// The volume hint's full-height bars, counted along its top row of pixels, and their colour.
struct Bars {
    int lit = 0;
    COLORREF colour = 0;
};
Bars litBars(const Player& player) {
    Bars bars;
    HWND hint = player.topWindow(L"Zon Hint");
    RECT r = {};
    GetWindowRect(hint, &r);
    HDC screen = GetDC(nullptr);
    bool inBar = false;
    for (LONG x = r.left; x < r.right; ++x) {
        COLORREF c = GetPixel(screen, x, r.top + 1);
        bool bar = c == RGB(0, 255, 0) || c == RGB(255, 0, 0);
        if (bar && !inBar)
            ++bars.lit, bars.colour = c;
        inBar = bar;
    }
    ReleaseDC(nullptr, screen);
    return bars;
}

TEST(MasterVolume, TheWheelAndClicksOnTheMuteButtonMoveTheHintsBars) {
    Clips clips({L"clip.avi"});
    Player player("[PLAYLIST]\r\nIndex=0\r\n", {{L"default.m3u", clips.list}});
    startPlaying(player);
    RECT w = player.windowRect();
    SetCursorPos(w.left + 151, w.bottom - 23); // the mute button
    send(MOUSEEVENTF_MOVE);
    ASSERT_TRUE(player.roundTrip());
    struct Step {
        int notches;
        bool click;
        int lit;
        COLORREF colour;
    } steps[] = {{5, false, 30, RGB(0, 255, 0)}, // full, however far up it is turned
                 {-3, false, 29, RGB(0, 255, 0)},
                 {0, true, 29, RGB(255, 0, 0)}, // muted: the same level in red
                 {0, true, 29, RGB(0, 255, 0)},
                 {3, false, 30, RGB(0, 255, 0)}};
    for (const Step& s : steps) {
        for (int i = 0; i < std::abs(s.notches); ++i)
            send(MOUSEEVENTF_WHEEL, static_cast<DWORD>(s.notches > 0 ? WHEEL_DELTA : -WHEEL_DELTA));
        if (s.click) {
            // A second click on the same spot would be a double click, which presses no button.
            send(MOUSEEVENTF_MOVE, 0, (&s - steps) % 2 == 0 ? 6 : -6);
            send(MOUSEEVENTF_LEFTDOWN);
            send(MOUSEEVENTF_LEFTUP);
        }
        ASSERT_TRUE(player.roundTrip());
        Bars bars;
        EXPECT_TRUE(eventually([&] {
            return bars = litBars(player), bars.lit == s.lit && bars.colour == s.colour;
        })) << s.notches
            << (s.click ? " and a click: " : ": ") << bars.lit << " bars of " << std::hex << bars.colour;
    }
    EXPECT_EQ(player.close(), 0);
}

TEST(Rename, ANewNameKeepsTheExtensionAndTheTitleAndTheNextPlaysAnUnchangedOneResumes) {
    for (bool changed : {true, false}) {
        SCOPED_TRACE(changed ? "a new name" : "the same name");
        Clips clips({L"Old.avi", L"Next.avi"});
        Player player("[PLAYLIST]\r\nIndex=0\r\n", {{L"default.m3u", clips.list}});
        startPlaying(player);
        player.postKey(WM_KEYDOWN, 'R', false);
        HWND dialog = player.topWindow(L"#32770");
        ASSERT_NE(dialog, nullptr);
        HWND edit = GetDlgItem(dialog, 1000);
        EXPECT_EQ(windowText(edit), L"Old");
        DWORD from = 0, to = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        EXPECT_EQ(to - from, 3u) << "all of it selected";
        GUITHREADINFO focus = {};
        focus.cbSize = sizeof focus;
        GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &focus);
        EXPECT_EQ(focus.hwndFocus, edit);
        if (changed)
            SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"New"));
        press(dialog, IDOK);
        // The player may answer a round trip while it is still busy with the file.
        EXPECT_TRUE(eventually([&] { return exists(clips.path(changed ? L"New.avi" : L"Old.avi")); }));
        ASSERT_TRUE(player.roundTrip());
        EXPECT_EQ(exists(clips.path(L"Old.avi")), !changed);
        if (changed) {
            EXPECT_EQ(windowText(player.topWindow(L"Zon Hint")), L"重命名为：New.avi");
        }
        EXPECT_EQ(player.close(), 0);
        EXPECT_EQ(readSetting(player.settingsPath(), L"PLAYLIST", L"Index"), changed ? L"1" : L"0");
        std::string saved = readFile(player.file(L"default.m3u"));
        if (changed) {
            EXPECT_NE(saved.find(",Old\r\n" + ansi(clips.path(L"New.avi"))), std::string::npos)
                << "the row keeps its title: " << saved;
        }
    }
}

// Chooses `folder` in the folder browser the player shows; the path must live in its process.
bool choose(const Player& player, HWND browser, const std::wstring& folder) {
    DWORD pid = 0;
    GetWindowThreadProcessId(player.main(), &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    std::size_t bytes = (folder.size() + 1) * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
    bool written = remote != nullptr && WriteProcessMemory(process, remote, folder.c_str(), bytes, nullptr);
    CloseHandle(process);
    if (!written)
        return false;
    SendMessageW(browser, WM_USER + 103, TRUE, reinterpret_cast<LPARAM>(remote)); // BFFM_SETSELECTIONW
    press(browser, IDOK);
    return true;
}

TEST(MoveToFolder, TheFirstDigitAsksForTheFolderTheSecondMovesAtOnceAndATakenNameStays) {
    Clips clips({L"A.avi", L"B.avi", L"C.avi", L"D.avi"});
    // Wine's folder browser walks only to folders it lists: not to the hidden temporary folder.
    std::wstring target = L"C:\\zon-moves-" + std::to_wstring(GetTickCount());
    CreateDirectoryW(target.c_str(), nullptr);
    writeFile(target + L"\\C.avi", "already here");
    Player player("[PLAYLIST]\r\nIndex=0\r\n", {{L"default.m3u", clips.list}});
    startPlaying(player);
    player.postKey(WM_KEYDOWN, '1', false);
    HWND browser = player.topWindow(L"#32770");
    ASSERT_NE(browser, nullptr);
    ASSERT_TRUE(choose(player, browser, target));
    EXPECT_TRUE(eventually([&] { return exists(target + L"\\A.avi"); }));
    EXPECT_EQ(windowText(player.topWindow(L"Zon Hint")), L"移动到：" + target + L"\\");
    player.postKey(WM_KEYDOWN, '1', false); // B moves without asking
    EXPECT_TRUE(eventually([&] { return exists(target + L"\\B.avi"); }));
    player.postKey(WM_KEYDOWN, '1', false); // C's name is taken there
    ASSERT_TRUE(player.roundTrip());
    EXPECT_TRUE(exists(clips.path(L"C.avi")));
    EXPECT_EQ(readFile(target + L"\\C.avi"), "already here");
    player.postKey(WM_KEYDOWN, 'P', false); // D pauses: digits do nothing now
    player.postKey(WM_KEYDOWN, '2', false);
    ASSERT_TRUE(player.roundTrip());
    EXPECT_TRUE(exists(clips.path(L"D.avi")));
    EXPECT_EQ(GetForegroundWindow(), player.main()) << "no folder browser";
    EXPECT_EQ(player.close(), 0);
    std::vector<std::string> paths = pathLines(readFile(player.file(L"default.m3u")));
    EXPECT_EQ(paths, (std::vector<std::string>{ansi(target + L"\\A.avi"), ansi(target + L"\\B.avi"),
                                               ansi(clips.path(L"C.avi")), ansi(clips.path(L"D.avi"))}));
    EXPECT_EQ(readSetting(player.settingsPath(), L"PLAYLIST", L"Index"), L"3");
    for (const wchar_t* name : {L"\\A.avi", L"\\B.avi", L"\\C.avi"})
        DeleteFileW((target + name).c_str());
    RemoveDirectoryW(target.c_str());
}
} // namespace
