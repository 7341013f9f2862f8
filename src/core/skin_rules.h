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
};

// For the transport commands 42001-42006.
bool isCommandEnabled(int commandId, const SkinState& s);
bool isControlVisible(const SkinControl& c, const SkinState& s);
// Which image of the control's sprite column: 0 normal, 1 hot, 2 pressed, 3 disabled.
int controlImage(int row, const SkinControl& c, const SkinState& s);
// The first visible row whose rectangle (edges included) holds the window point, or -1.
int controlAt(const SkinControl (&table)[kControlCount], int x, int y, int width, int height,
              const SkinState& s);
