#include "core/program_paths.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <string>

namespace {
struct PathCase {
    const char16_t* program;
    const char16_t* settings;
    const char16_t* folder;
};

class ProgramPaths : public testing::TestWithParam<PathCase> {};

TEST_P(ProgramPaths, SettingsFileAndFolderBesideTheProgram) {
    const PathCase& c = GetParam();
    char16_t settings[kPathUnits];
    char16_t folder[kPathUnits];
    computeSettingsPath(c.program, settings);
    computeProgramFolder(c.program, folder);
    EXPECT_EQ(std::u16string(settings), std::u16string(c.settings));
    EXPECT_EQ(std::u16string(folder), std::u16string(c.folder));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramPaths,
    testing::Values(PathCase{u"C:\\Apps\\Player.exe", u"C:\\Apps\\Player.ini", u"C:\\Apps\\"},
                    PathCase{u"D:\\Media\\player.exe", u"D:\\Media\\player.ini", u"D:\\Media\\"},
                    PathCase{u"C:\\a.exe", u"C:\\a.ini", u"C:\\"},
                    // No backslash: the folder is the first character alone.
                    PathCase{u"Player.exe", u"Player.ini", u"P"},
                    // The search starts at the fifth character from the end...
                    PathCase{u"C:\\x\\.exe", u"C:\\x\\.ini", u"C:\\x\\"},
                    PathCase{u"ab\\.exe", u"ab\\.ini", u"ab\\"},
                    // ...so a backslash after it is not looked at.
                    PathCase{u"ab\\cd\\ef", u"ab\\cdini", u"ab\\"},
                    // and one at index 0 is never found.
                    PathCase{u"\\abc.exe", u"\\abc.ini", u"\\"},
                    // Short paths never reach outside the buffer.
                    PathCase{u"a.exe", u"a.ini", u"a"}, PathCase{u"ab", u"ini", u"a"},
                    PathCase{u"", u"ini", u""}));

TEST(ProgramPathsLimits, TheLongestModulePathsKeepTheirNames) {
    for (std::size_t length : {256, 257, 258, 259, 300}) {
        std::u16string program = u"C:\\" + std::u16string(length - 9, u'd') + u"\\p.exe";
        char16_t settings[kPathUnits];
        char16_t folder[kPathUnits];
        computeSettingsPath(program.c_str(), settings);
        computeProgramFolder(program.c_str(), folder);
        std::u16string s(settings),
            expected = program.substr(0, std::min<std::size_t>(length, kPathUnits - 1));
        expected.replace(expected.size() - 3, 3, u"ini");
        EXPECT_EQ(s, expected) << length;
        if (length < kPathUnits) {
            EXPECT_EQ(std::u16string(folder), program.substr(0, length - 5)) << length;
        }
    }
}
} // namespace
