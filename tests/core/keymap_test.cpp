#include "core/command_ids.h"
#include "core/keymap.h"

#include <gtest/gtest.h>

namespace {
struct KeyCase {
    unsigned key;
    bool ctrl;
    KeyActionKind kind;
    unsigned command;
};

TEST(ShortcutKeys, EveryRowOfTheTable) {
    const KeyCase cases[] = {
        {0x0D, false, KeyActionKind::Command, CMD_PLAY_PAUSE},
        {0x1B, false, KeyActionKind::Command, CMD_VIEW_FULLSCREEN},
        {0x20, false, KeyActionKind::Command, CMD_FRAME_STEP},
        {0xBB, false, KeyActionKind::Command, CMD_ZOOM_IN},
        {0xBD, false, KeyActionKind::Command, CMD_ZOOM_OUT},
        {'B', false, KeyActionKind::Command, CMD_SKIP_BACK},
        {'F', false, KeyActionKind::Command, CMD_SKIP_FORWARD},
        {'N', false, KeyActionKind::Command, CMD_NEXT},
        {'O', true, KeyActionKind::Command, CMD_FILE_OPEN},
        {'O', false, KeyActionKind::NotTaken, 0},
        {'P', false, KeyActionKind::Command, CMD_PLAY_PAUSE},
        {'P', true, KeyActionKind::Command, CMD_PLAY_PAUSE}, // Ctrl matters for O only
        {'R', false, KeyActionKind::Rename, 0},
        {'S', false, KeyActionKind::Command, CMD_STOP},
        {'V', false, KeyActionKind::Command, CMD_PREVIOUS},
        // Not taken: they go on to the play list.
        {'A', false, KeyActionKind::NotTaken, 0},
        {'X', false, KeyActionKind::NotTaken, 0},
        {0x79, false, KeyActionKind::NotTaken, 0}, // F10
        {0x60, false, KeyActionKind::NotTaken, 0}, // numeric keypad 0
        {0x6B, false, KeyActionKind::NotTaken, 0}, // keypad plus
        {0x26, false, KeyActionKind::NotTaken, 0}, // up arrow
        {0x28, false, KeyActionKind::NotTaken, 0}, // down arrow
        {0x22, false, KeyActionKind::NotTaken, 0}, // page down
    };
    for (const KeyCase& c : cases) {
        KeyAction a = mapShortcutKey(c.key, c.ctrl);
        EXPECT_EQ(a.kind, c.kind) << "key 0x" << std::hex << c.key;
        EXPECT_EQ(a.slot, -1) << "only digits name a folder slot";
        EXPECT_EQ(a.command, c.command) << "key 0x" << std::hex << c.key;
    }
}

TEST(ShortcutKeys, DigitsPickTheirFolderSlot) {
    for (unsigned d = 0; d <= 9; ++d) {
        KeyAction a = mapShortcutKey('0' + d, false);
        EXPECT_EQ(a.kind, KeyActionKind::MoveToFolder);
        EXPECT_EQ(a.slot, static_cast<int>(d));
    }
    EXPECT_EQ(mapShortcutKey('0' - 1, false).kind, KeyActionKind::NotTaken);
    EXPECT_EQ(mapShortcutKey('9' + 1, false).kind, KeyActionKind::NotTaken);
}

TEST(AltKeys, EnterOAndF4AndNothingElse) {
    const KeyCase cases[] = {{0x0D, false, KeyActionKind::Command, CMD_VIEW_FULLSCREEN},
                             {'O', false, KeyActionKind::Command, CMD_ZOOM_100},
                             {0x73, false, KeyActionKind::Close, 0},
                             {'X', false, KeyActionKind::NotTaken, 0},
                             {0x20, false, KeyActionKind::NotTaken, 0}};
    for (const KeyCase& c : cases) {
        KeyAction a = mapAltKey(c.key);
        EXPECT_EQ(a.kind, c.kind) << "Alt+0x" << std::hex << c.key;
        EXPECT_EQ(a.command, c.command) << "Alt+0x" << std::hex << c.key;
        EXPECT_EQ(a.slot, -1);
    }
}
} // namespace
