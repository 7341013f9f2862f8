#include "core/file_names.h"

#include <gtest/gtest.h>

namespace {
std::optional<std::u16string> maybe(const char16_t* text) {
    return text != nullptr ? std::optional<std::u16string>(text) : std::nullopt;
}

TEST(FileNames, ShownNameRenamedAndMovedPaths) {
    struct Case {
        const char16_t* path;
        const char16_t* shown;
        const char16_t* renamed; // to "New"; nullptr: refused
        const char16_t* moved;   // into D:\Keep\ ; nullptr: refused
    } cases[] = {
        {u"C:\\Music\\Old.mp3", u"Old", u"C:\\Music\\New.mp3", u"D:\\Keep\\Old.mp3"},
        {u"C:\\Music\\a.mp3", u"a", u"C:\\Music\\New.mp3", u"D:\\Keep\\a.mp3"}, // a one-letter name
        {u"C:\\Music\\a.b.avi", u"a.b", u"C:\\Music\\New.avi", u"D:\\Keep\\a.b.avi"},
        {u"C:\\My.Music\\song", u"song", u"C:\\My.Music\\New", u"D:\\Keep\\song"}, // no extension
        {u"C:\\Music\\.hidden", u".hidden", u"C:\\Music\\New", u"D:\\Keep\\.hidden"},
        {u"C:\\Music\\x..mp3", u"x.", u"C:\\Music\\New.mp3", u"D:\\Keep\\x..mp3"},
        {u"C:\\Music\\song.", u"song", u"C:\\Music\\New.", u"D:\\Keep\\song."}, // a trailing dot
        {u"C:\\Music\\", u"", u"C:\\Music\\New", u"D:\\Keep\\"},
        {u"\\song.mp3", u"", nullptr, nullptr}, // a backslash in the first place does not count
        {u"song.mp3", u"", nullptr, nullptr},
        {u"", u"", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        std::u16string path = c.path;
        EXPECT_EQ(shownNameOf(path), c.shown) << std::string(path.begin(), path.end());
        EXPECT_EQ(renamedPath(path, u"New"), maybe(c.renamed));
        EXPECT_EQ(movedPath(u"D:\\Keep\\", path), maybe(c.moved));
    }
    std::u16string deep = u"C:\\" + std::u16string(300, u'd') + u"\\Old.mp3";
    EXPECT_EQ(renamedPath(deep, u"New"), u"C:\\" + std::u16string(300, u'd') + u"\\New.mp3")
        << "nothing is cut";
}

TEST(FileNames, TheHintStripSitsNearTheBottomOfTheVideo) {
    EXPECT_EQ(fileHintRect({100, 50, 420, 290}), (Rect{116, 262, 404, 278}));
}
} // namespace
