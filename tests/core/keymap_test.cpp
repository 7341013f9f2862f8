#include "core/command_ids.h"
#include "core/keymap.h"

#include <gtest/gtest.h>

namespace {
using enum KeyActionKind;

void expectAction(KeyAction a, unsigned key, KeyActionKind kind, unsigned command = 0, int slot = -1) {
    EXPECT_EQ(a.kind, kind) << "key 0x" << std::hex << key;
    EXPECT_EQ(a.command, command) << "key 0x" << std::hex << key;
    EXPECT_EQ(a.slot, slot) << "key 0x" << std::hex << key;
}

TEST(ShortcutKeys, EveryTakenKeyWithOrWithoutCtrlAndDigitsForTheFolderSlots) {
    const std::pair<unsigned, unsigned> commands[] = {{0x0D, CMD_PLAY_PAUSE},  {0x1B, CMD_VIEW_FULLSCREEN},
                                                      {0x20, CMD_FRAME_STEP},  {0xBB, CMD_ZOOM_IN},
                                                      {0xBD, CMD_ZOOM_OUT},    {'B', CMD_SKIP_BACK},
                                                      {'F', CMD_SKIP_FORWARD}, {'N', CMD_NEXT},
                                                      {'P', CMD_PLAY_PAUSE},   {'S', CMD_STOP},
                                                      {'V', CMD_PREVIOUS}};
    for (auto [key, command] : commands) {
        for (bool ctrl : {false, true})
            expectAction(mapShortcutKey(key, ctrl), key, Command, command);
    }
    expectAction(mapShortcutKey('O', true), 'O', Command, CMD_FILE_OPEN);
    expectAction(mapShortcutKey('R', false), 'R', Rename);
    // Keys not taken go on to the play list.
    for (unsigned key : {unsigned{'O'}, unsigned{'A'}, 0x26u, unsigned{'0' - 1}, unsigned{'9' + 1}})
        expectAction(mapShortcutKey(key, false), key, NotTaken);
    for (unsigned d = 0; d <= 9; ++d)
        expectAction(mapShortcutKey('0' + d, false), '0' + d, MoveToFolder, 0, static_cast<int>(d));
}

TEST(AltKeys, EnterOAndF4AndNothingElse) {
    for (auto [key, kind, command] :
         {std::tuple<unsigned, KeyActionKind, unsigned>{0x0D, Command, CMD_VIEW_FULLSCREEN},
          {'O', Command, CMD_ZOOM_100},
          {0x73, Close, 0},
          {'X', NotTaken, 0},
          {0x20, NotTaken, 0}})
        expectAction(mapAltKey(key), key, kind, command);
}
} // namespace
