// Grey, enable and check states of the main menu's popups, set as each one opens.
#pragma once
#include <windows.h>

void updateMenuStates(int position, HMENU popup);
