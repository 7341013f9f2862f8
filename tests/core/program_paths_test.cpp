#include "core/program_paths.h"

#include <gtest/gtest.h>
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

TEST(ProgramPathsLimits, FullLengthModulePathStaysTerminated) {
    std::u16string program = u"C:\\" + std::u16string(250, u'd') + u"\\p.exe";
    char16_t settings[kPathUnits];
    char16_t folder[kPathUnits];
    computeSettingsPath(program.c_str(), settings);
    computeProgramFolder(program.c_str(), folder);
    std::u16string s(settings);
    ASSERT_LT(s.size(), kPathUnits);
    EXPECT_EQ(s.substr(s.size() - 3), u"ini");
    EXPECT_LT(std::u16string(folder).size(), kPathUnits);
}
} // namespace
