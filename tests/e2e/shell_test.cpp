// The player as the rest of Windows meets it: files handed over on its command line, one player for
// each folder however often it is started, a home for its state when its folder is read-only, and
// what its manifest tells the system.
#include "player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
std::wstring inQuotes(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

TEST(FromTheShell, PathsOnTheCommandLineAreAddedAsADropAddsThemAndTheFirstPlays) {
    std::wstring outside = freshFolder(L"shell"), folder = outside + L"\\d";
    CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring odd = copyOf(outside + L"\\a it's [1] 歌 (x).avi", L"silent640.avi");
    std::wstring b = copyOf(outside + L"\\b.avi"), e = copyOf(outside + L"\\e.avi");
    std::wstring a = copyOf(folder + L"\\a.avi", L"silent640.avi"), z = copyOf(folder + L"\\z.avi");
    std::wstring list = outside + L"\\list.m3u";
    writeFile(list, "#EXTM3U\r\ne.avi\r\nd\\a.avi");
    const std::string old = "C:\\old.mp3";
    struct Case {
        std::wstring arguments;
        Lines paths; // after the exit: the new entries sorted at the front, the first played
    } cases[] = {
        {inQuotes(b) + L" " + inQuotes(odd), {ansi(odd), ansi(b), old}},
        {inQuotes(folder), {ansi(a), ansi(z), old}},
        {inQuotes(list), {ansi(a), ansi(e), old}},
        {L"C:\\no\\such.avi " + inQuotes(odd), {ansi(odd), old}},
        {L"here.avi", {"", old}}, // relative to the folder the program starts in: its own
    };
    for (Case& c : cases) {
        SCOPED_TRACE(ansi(c.arguments));
        std::string wide = readFile(mediaPath(L"silent640.avi"));
        Player player("", {{L"default.m3u", m3u({old})}, {L"here.avi", wide}}, Start{c.arguments});
        EXPECT_TRUE(eventually([&] { return width(player.display()) == 640; })) << "the first plays";
        EXPECT_EQ(player.close(), 0);
        if (c.paths[0].empty())
            c.paths[0] = ansi(player.file(L"here.avi"));
        EXPECT_EQ(pathLines(player.listFile()), c.paths);
    }
}

TEST(OnePlayerPerFolder, ALaterStartHandsItsPathsOverAndEndsAndNothingEitherDidIsLost) {
    std::wstring first = mediaPath(L"clip8.avi"), dropped = mediaPath(L"silent320.avi");
    std::wstring wide = mediaPath(L"silent640.avi");
    Player player(kFirstPlays, {{L"default.m3u", m3u({ansi(first)})}});
    ASSERT_TRUE(player.plays());
    ASSERT_TRUE(player.dropFiles({dropped}));
    EXPECT_EQ(player.startAgain(inQuotes(wide)), 0) << "handed over, and ended";
    EXPECT_TRUE(eventually([&] { return width(player.display()) == 640; }))
        << "played at once, though another file played";

    // Without paths the running player comes to the front, out of the tray too.
    player.command(CMD_BUTTON_MINIMISE);
    ASSERT_TRUE(eventually([&] { return !IsWindowVisible(player.main()); }));
    EXPECT_EQ(player.startAgain(L""), 0);
    EXPECT_TRUE(
        eventually([&] { return IsWindowVisible(player.main()) && GetForegroundWindow() == player.main(); }));
    Player another; // another folder's player is one of its own
    EXPECT_TRUE(another.started());
    EXPECT_EQ(player.close(), 0);
    EXPECT_EQ(pathLines(player.listFile()), (Lines{ansi(first), ansi(wide), ansi(dropped)}));
}

TEST(OnePlayerPerFolder, StartsAtTheSameMomentMakeOnePlayerThatTakesEveryPath) {
    // What the shell does for several files chosen and opened at once: a start for each.
    std::wstring outside = freshFolder(L"together");
    Lines expected;
    std::vector<std::wstring> starts;
    for (const wchar_t* name : {L"a.avi", L"b.avi", L"c.avi", L"d.avi"}) {
        expected.push_back(ansi(copyOf(outside + L"\\" + name)));
        starts.push_back(inQuotes(outside + L"\\" + name));
    }
    Player player("", {}, Start{starts[0], L"", {starts.begin() + 1, starts.end()}});
    ASSERT_TRUE(player.started());
    EXPECT_EQ(player.othersEnded(), 3) << "every other start handed its file over and ended";
    EXPECT_EQ(player.close(), 0);
    Lines saved = pathLines(player.listFile());
    std::sort(saved.begin(), saved.end());
    EXPECT_EQ(saved, expected);
}

TEST(StateHome, AFolderThatCannotBeWrittenKeepsTheStateInApplicationDataAcrossARestart) {
    // Wine run by root writes read-only files all the same, but keeps and reports the attribute:
    // the player takes it as Windows would, as a file it may not replace.
    std::wstring folder = freshFolder(L"readonly"), appData = freshFolder(L"appdata");
    std::wstring home = appData + L"\\ZonPlayer\\";
    const std::string settings = "[PLAYLIST]\r\nLoop=1\r\n", list = m3u({"C:\\old.mp3"});
    writeFile(folder + L"\\ZonPlayer.ini", settings);
    writeFile(folder + L"\\default.m3u", list);
    for (const wchar_t* name : {L"\\ZonPlayer.ini", L"\\default.m3u"})
        SetFileAttributesW((folder + name).c_str(), FILE_ATTRIBUTE_READONLY);
    // The players started from here see application data of their own.
    wchar_t own[MAX_PATH] = {};
    GetEnvironmentVariableW(L"APPDATA", own, MAX_PATH);
    SetEnvironmentVariableW(L"APPDATA", appData.c_str());
    struct Restore {
        const wchar_t* value;
        ~Restore() { SetEnvironmentVariableW(L"APPDATA", value); }
    } restore{own};
    Lines expected = {"C:\\old.mp3"};
    for (const wchar_t* name : {L"x.avi", L"y.avi"}) {
        std::wstring dropped = mediaCopy(L"silent320.avi", name);
        expected.insert(expected.end() - 1, ansi(dropped)); // it plays: the next one comes after it
        Player player("", {}, Start{L"", folder});
        ASSERT_TRUE(player.listShown()) << "last run's list, from beside the program or from the home";
        ASSERT_TRUE(player.dropFiles({dropped}));
        ASSERT_TRUE(player.roundTrip());
        EXPECT_EQ(player.close(), 0);
    }
    EXPECT_EQ(pathLines(readFile(home + L"default.m3u")), expected);
    EXPECT_NE(readFile(home + L"ZonPlayer.ini").find("Loop=1"), std::string::npos) << "taken over";
    EXPECT_EQ(GetFileAttributesW((home + L"ZonPlayer.ini").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(readFile(folder + L"\\default.m3u"), list) << "the program's folder is left as it was";
    EXPECT_EQ(readFile(folder + L"\\ZonPlayer.ini"), settings);
}

TEST(Program, ItsManifestRunsItAsTheUserOnTheSystemsItKnowsWithTodaysControls) {
    // The system's own reading of the manifest: a malformed one would keep the program from starting.
    std::wstring exe = pathFromEnvironment(L"ZON_PLAYER_EXE");
    ACTCTXW request = {};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = exe.c_str();
    request.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE context = CreateActCtxW(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE);
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level = {};
    ASSERT_TRUE(QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &level,
                             sizeof level, nullptr));
    EXPECT_EQ(level.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
    // The count, then the systems (an element's size has grown with the headers: the bytes are searched).
    std::vector<char> systems(1024);
    ASSERT_TRUE(QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext, systems.data(),
                             systems.size(), nullptr));
    const GUID windows10 = {0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}};
    const char* bytes = reinterpret_cast<const char*>(&windows10);
    EXPECT_EQ(*reinterpret_cast<const DWORD*>(systems.data()), 4u) << "Windows 7, 8, 8.1 and 10 (with 11)";
    EXPECT_NE(std::search(systems.begin(), systems.end(), bytes, bytes + sizeof windows10), systems.end());
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(context, &cookie));
    ACTCTX_SECTION_KEYED_DATA found = {};
    found.cbSize = sizeof found;
    EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_WINDOW_CLASS_REDIRECTION,
                                         L"Button", &found))
        << "the dialogs' buttons come from Common Controls 6";
    DeactivateActCtx(0, cookie);
    ReleaseActCtx(context);
}
} // namespace
