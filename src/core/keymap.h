// The single-key shortcuts of the player, decided without the platform.
#pragma once
#include <cstdint>

enum class KeyActionKind {
    NotTaken,     // the key goes on to the play list
    Command,      // `command` is sent to the main window
    MoveToFolder, // the playing file moves to folder slot `slot`
    Rename,       // the rename dialog, when something plays
    Close,        // the main window closes (Alt+F4)
};

struct KeyAction {
    KeyActionKind kind;
    std::uint16_t command;
    int slot;
};

// Virtual-key codes the table uses (the platform's values).
constexpr unsigned kKeyEnter = 0x0D;
constexpr unsigned kKeyEscape = 0x1B;
constexpr unsigned kKeySpace = 0x20;
constexpr unsigned kKeyOemPlus = 0xBB;
constexpr unsigned kKeyOemMinus = 0xBD;

constexpr unsigned kKeyF4 = 0x73;

// What a key-down of `key` means. Modifier keys are not examined, except Ctrl for O.
KeyAction mapShortcutKey(unsigned key, bool ctrlDown);
// What Alt and `key` mean: Enter full screen, O the original size, F4 close; any other is taken and
// does nothing (system keys are never translated).
KeyAction mapAltKey(unsigned key);
