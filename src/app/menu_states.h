// Grey, enable and check states of the main menu's items, set as one of its popups opens.
#pragma once
#include <windows.h>

void updateMenuStates(HMENU popup);
