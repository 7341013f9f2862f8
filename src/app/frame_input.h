// The pointer over the main window's frame: the lit button, the seek bar's preview, the main menu
// strip with its popups, and the tick that notices the pointer leaving them.
#pragma once
#include "core/skin_rules.h"

#include <windows.h>

extern int mainMenuHotItem; // the main strip's title under the pointer, -1 for none

// What the frame's hit test found under the pointer.
void hoverFrame(const FrameHit& hit);
void frameMouseMove(int x, int y);
// A press on a button shows it pressed, one on a title opens its popup, one on the seek bar seeks.
void frameButtonDown();
// The pressed button's command runs on the release, wherever the pointer went meanwhile.
void frameButtonUp();
void frameHoverTick();
RECT mainMenuBarRect();
void repaintMainMenuBar();
