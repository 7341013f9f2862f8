#include "core/file_names.h"
#include "core/media_path.h"
#include "core/program_paths.h"

#include <gtest/gtest.h>
#include <string>

namespace {
std::optional<std::u16string> maybe(const char16_t* text) {
    return text != nullptr ? std::optional<std::u16string>(text) : std::nullopt;
}

TEST(FileNames, ShownNameRenamedAndMovedPaths) {
    // Each path, its name as shown, renamed to "New" and moved into D:\Keep\ (nullptr: refused).
    const std::tuple<std::u16string, const char16_t*, const char16_t*, const char16_t*> cases[] = {
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
    for (const auto& [path, shown, renamed, moved] : cases) {
        EXPECT_EQ(shownNameOf(path), shown) << std::string(path.begin(), path.end());
        EXPECT_EQ(renamedPath(path, u"New"), maybe(renamed));
        EXPECT_EQ(movedPath(u"D:\\Keep\\", path), maybe(moved));
    }
    std::u16string deep = u"C:\\" + std::u16string(300, u'd') + u"\\Old.mp3";
    EXPECT_EQ(renamedPath(deep, u"New"), u"C:\\" + std::u16string(300, u'd') + u"\\New.mp3")
        << "nothing is cut";
}

std::pair<std::u16string, std::u16string> pathsFor(const std::u16string& program) {
    char16_t settings[kPathUnits], folder[kPathUnits];
    computeSettingsPath(program.c_str(), settings);
    computeProgramFolder(program.c_str(), folder);
    return {settings, folder};
}

TEST(ProgramPaths, SettingsFileAndFolderBesideTheProgram) {
    // The folder's backslash is looked for from the fifth character from the end down to index 1:
    // with none, the folder is the first character alone. Short paths never reach outside the buffer.
    const std::tuple<const char16_t*, std::u16string, std::u16string> cases[] = {
        {u"C:\\a.exe", u"C:\\a.ini", u"C:\\"},
        {u"Pl.exe", u"Pl.ini", u"P"},
        {u"C:\\x\\.exe", u"C:\\x\\.ini", u"C:\\x\\"},
        {u"ab\\.exe", u"ab\\.ini", u"ab\\"},
        {u"ab\\cd\\ef", u"ab\\cdini", u"ab\\"},
        {u"\\abc.exe", u"\\abc.ini", u"\\"},
        {u"a\\b.exe", u"a\\b.ini", u"a\\"},
        {u"a.exe", u"a.ini", u"a"},
        {u"ab", u"ini", u"a"},
        {u"", u"ini", u""}};
    for (const auto& [program, settings, folder] : cases)
        EXPECT_EQ(pathsFor(program), std::pair(settings, folder)) << std::u16string(program).size();
    for (std::size_t length : {256, 257, 258, 259, 300}) {
        std::u16string program = u"C:\\" + std::u16string(length - 9, u'd') + u"\\p.exe";
        auto [settings, folder] = pathsFor(program);
        std::u16string expected = program.substr(0, std::min<std::size_t>(length, kPathUnits - 1));
        EXPECT_EQ(settings, expected.replace(expected.size() - 3, 3, u"ini")) << length;
        if (length < kPathUnits) {
            EXPECT_EQ(folder, program.substr(0, length - 5)) << length;
        }
    }
}

TEST(MediaExtension, LowerCasedInPlaceAndRouted) {
    // Only ASCII letters are lowered, A and Z included; a dot at index 1 still starts an extension.
    // No extension (nullptr) leaves the path as it is.
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"Film.RMVB", u"rmvb"},
        {u"My.DIR\\a.MKV", u"mkv"},
        {u"a.\u00C9X", u"\u00C9x"},
        {u"M\\NODOT", nullptr},
        {u".RMVB", nullptr},
        {u"", nullptr},
        {u"a.", u""},
        {u"a.AZ@[", u"az@["},
    };
    for (auto [path, extension] : cases) {
        std::u16string buffer(path);
        char16_t* ext = lowerExtensionInPlace(buffer.data());
        std::u16string expected = extension ? std::u16string(extension) : u"";
        EXPECT_EQ(buffer, std::u16string(path).substr(0, buffer.size() - expected.size()) + expected)
            << buffer.size();
        EXPECT_EQ(ext, extension ? buffer.data() + (buffer.size() - expected.size()) : nullptr);
    }
    using enum MediaRoute;
    const std::tuple<const char16_t*, MediaRoute, bool> routes[] = {
        {u"rmvb", SourceFilter, true}, {u"rm", SourceFilter, true},   {u"ra", SourceFilter, true},
        {u"wmv2", RenderFile, false},  {u"wma", RenderFile, false},   {u"asf", RenderFile, false},
        {u"swf", Flash, false},        {u"mkv", SourceFilter, false}, {u"r", SourceFilter, false},
        {nullptr, SourceFilter, false}};
    for (auto [extension, route, realMedia] : routes)
        EXPECT_EQ(std::pair(planMedia(extension).route, planMedia(extension).realMediaFilters),
                  std::pair(route, realMedia))
            << (extension ? extension[0] : 0);
}
} // namespace
