#include "core/program_paths.h"

#include <gtest/gtest.h>
#include <string>

namespace {
std::pair<std::u16string, std::u16string> pathsFor(const std::u16string& program) {
    char16_t settings[kPathUnits], folder[kPathUnits];
    computeSettingsPath(program.c_str(), settings);
    computeProgramFolder(program.c_str(), folder);
    return {settings, folder};
}

TEST(ProgramPaths, SettingsFileAndFolderBesideTheProgram) {
    // The folder's backslash is looked for from the fifth character from the end down to index 1:
    // with none, the folder is the first character alone. Short paths never reach outside the buffer.
    struct Case {
        const char16_t *program, *settings, *folder;
    } cases[] = {{u"C:\\a.exe", u"C:\\a.ini", u"C:\\"},
                 {u"Pl.exe", u"Pl.ini", u"P"},
                 {u"C:\\x\\.exe", u"C:\\x\\.ini", u"C:\\x\\"},
                 {u"ab\\.exe", u"ab\\.ini", u"ab\\"},
                 {u"ab\\cd\\ef", u"ab\\cdini", u"ab\\"},
                 {u"\\abc.exe", u"\\abc.ini", u"\\"},
                 {u"a\\b.exe", u"a\\b.ini", u"a\\"},
                 {u"a.exe", u"a.ini", u"a"},
                 {u"ab", u"ini", u"a"},
                 {u"", u"ini", u""}};
    for (const Case& c : cases)
        EXPECT_EQ(pathsFor(c.program), std::pair(std::u16string(c.settings), std::u16string(c.folder)));
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
} // namespace
