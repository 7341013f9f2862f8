#include "core/keymap.h"
#include "core/command_ids.h"

namespace {
KeyAction command(std::uint16_t id) {
    return {KeyActionKind::Command, id, -1};
}
} // namespace

KeyAction mapAltKey(unsigned key) {
    switch (key) {
    case kKeyEnter:
        return command(CMD_VIEW_FULLSCREEN);
    case 'O':
        return command(CMD_ZOOM_100);
    case kKeyF4:
        return {KeyActionKind::Close, 0, -1};
    default:
        return {KeyActionKind::NotTaken, 0, -1};
    }
}

KeyAction mapShortcutKey(unsigned key, bool ctrlDown) {
    if (key >= '0' && key <= '9')
        return {KeyActionKind::MoveToFolder, 0, static_cast<int>(key - '0')};
    switch (key) {
    case kKeyEnter:
        return command(CMD_PLAY_PAUSE);
    case kKeyEscape:
        return command(CMD_VIEW_FULLSCREEN);
    case kKeySpace:
        return command(CMD_FRAME_STEP);
    case kKeyOemPlus:
        return command(CMD_ZOOM_IN);
    case kKeyOemMinus:
        return command(CMD_ZOOM_OUT);
    case 'B':
        return command(CMD_SKIP_BACK);
    case 'F':
        return command(CMD_SKIP_FORWARD);
    case 'N':
        return command(CMD_NEXT);
    case 'O':
        return ctrlDown ? command(CMD_FILE_OPEN) : KeyAction{KeyActionKind::NotTaken, 0, -1};
    case 'P':
        return command(CMD_PLAY_PAUSE);
    case 'R':
        return {KeyActionKind::Rename, 0, -1};
    case 'S':
        return command(CMD_STOP);
    case 'V':
        return command(CMD_PREVIOUS);
    default:
        return {KeyActionKind::NotTaken, 0, -1};
    }
}
