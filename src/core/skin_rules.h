// Which skinned buttons show, in which image, and which one a point hits.
#pragma once
#include "core/skin_table.h"

// What the rules look at, gathered from the player.
struct SkinState {
    int playbackState; // PlaybackState
    int count;         // entries in the active list
    int current;       // current entry, -1 for none
    bool loop;
    int hotControl;
    int pressedControl;
    bool snapshotReady = false; // the windowless renderer holds a picture to save
    bool listShown = true;
};

// Whether a command can run now, for the buttons and the menus alike; true for the commands no
// rule governs.
bool isCommandEnabled(int commandId, const SkinState& s);
// Whether a menu item shows its check mark.
bool isCommandChecked(int commandId, const SkinState& s);
// The main menu's items whose state its popups set as they open: greyed or not, checked or not.
constexpr int kMenuRuledCommands[] = {40002, 40003, 41001, 42003, 42004, 42005, 42006, 42007, 42008};
bool isControlVisible(const SkinControl& c, const SkinState& s);
// Which image of the control's sprite column: 0 normal, 1 hot, 2 pressed, 3 disabled.
int controlImage(int row, const SkinControl& c, const SkinState& s);
// The first visible row whose rectangle (edges included) holds the window point, or -1.
int controlAt(const SkinControl (&table)[kControlCount], int x, int y, int width, int height,
              const SkinState& s);

// The platform's hit-test codes the frame answers with.
constexpr int kHitClient = 1, kHitCaption = 2, kHitLeft = 10, kHitRight = 11, kHitBottom = 15,
              kHitBottomLeft = 16, kHitBottomRight = 17;

struct FrameHit {
    int code;              // one of the codes above
    int row;               // the control under the point, -1 for none
    int seekOffset;        // pixels from the seek bar's left end, 0 when off the bar
    bool resizingPlaylist; // a drag on the right edge resizes the docked list
};

// The main window's non-client hit test at a window point (origin at the window's top-left).
FrameHit hitTestFrame(int x, int y, int width, int height, int captionHeight, bool playlistVisible,
                      const SkinControl (&table)[kControlCount], const SkinState& s, const EdgeRect& seekBar);
