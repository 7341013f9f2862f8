#include "core/command_ids.h"
#include "core/keymap.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace {
using enum KeyActionKind;

std::string sourceText(const char* path) {
    std::ifstream file(std::string(ZON_SOURCE_DIR) + "/" + path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The keys the menus show beside their items are read from the resource script itself: a key that
// does something other than what its item says is a fault a user sees at once.
TEST(ShortcutKeys, EachKeyAMenuShowsRunsItsItemWithOrWithoutCtrl) {
    std::map<std::string, unsigned> ids;
    std::istringstream header(sourceText("src/core/command_ids.h"));
    for (std::string line; std::getline(header, line);) {
        std::istringstream words(line);
        std::string define, name;
        unsigned id = 0;
        if (words >> define >> name >> id && define == "#define")
            ids[name] = id;
    }
    const std::map<std::string, unsigned> named = {
        {"Enter", kKeyEnter}, {"SPACE", kKeySpace}, {"+", kKeyOemPlus}, {"-", kKeyOemMinus}};
    std::istringstream script(sourceText("src/resources/ZonPlayer.rc"));
    int shown = 0;
    for (std::string line; std::getline(script, line);) {
        // MENUITEM "<text>\t<modifier+><key>", <command>
        std::size_t tab = line.find("\\t"), quote = line.find("\", ", tab);
        if (line.find("MENUITEM") == std::string::npos || tab == std::string::npos ||
            quote == std::string::npos)
            continue;
        ++shown;
        std::string key = line.substr(tab + 2, quote - tab - 2), modifier;
        for (const char* m : {"Alt+", "Ctrl+"})
            if (key.size() > 4 && key.rfind(m, 0) == 0)
                modifier = m, key.erase(0, modifier.size());
        const std::string command = line.substr(quote + 3, line.find_first_of(" \r", quote + 3) - quote - 3);
        const unsigned code = named.count(key) ? named.at(key) : static_cast<unsigned char>(key[0]);
        const KeyAction action =
            modifier == "Alt+" ? mapAltKey(code) : mapShortcutKey(code, modifier == "Ctrl+");
        EXPECT_EQ(std::tuple(action.kind, action.command), std::tuple(Command, ids.at(command))) << line;
        if (modifier.empty()) {
            EXPECT_EQ(mapShortcutKey(code, true).command, action.command) << line << " with Ctrl held";
        }
    }
    EXPECT_EQ(shown, 13) << "every item that shows a key";
}

// The keys no menu shows.
TEST(ShortcutKeys, EnterEscapeRenameTheFolderDigitsAndAltF4AndNoOtherKeyIsTaken) {
    const std::tuple<KeyAction, KeyActionKind, unsigned, int> cases[] = {
        {mapShortcutKey(kKeyEnter, false), Command, CMD_PLAY_PAUSE, -1},
        {mapShortcutKey(kKeyEscape, false), Command, CMD_VIEW_FULLSCREEN, -1},
        {mapShortcutKey('R', false), Rename, 0, -1},
        {mapShortcutKey('0', false), MoveToFolder, 0, 0},
        {mapShortcutKey('9', true), MoveToFolder, 0, 9},
        {mapShortcutKey('O', false), NotTaken, 0, -1},
        {mapShortcutKey('A', true), NotTaken, 0, -1},
        {mapShortcutKey(0x26, false), NotTaken, 0, -1}, // the arrows go on to the play list
        {mapShortcutKey('0' - 1, false), NotTaken, 0, -1},
        {mapShortcutKey('9' + 1, false), NotTaken, 0, -1},
        {mapAltKey(kKeyF4), Close, 0, -1},
        {mapAltKey('X'), NotTaken, 0, -1},
        {mapAltKey(kKeySpace), NotTaken, 0, -1},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& [action, kind, command, slot] = cases[i];
        EXPECT_EQ(std::tuple(action.kind, action.command, action.slot), std::tuple(kind, command, slot))
            << "case " << i;
    }
}
} // namespace
