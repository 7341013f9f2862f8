// Rename and move of the playing file by key.
#pragma once

void runRenameDialog();
void moveCurrentToFolder(int slot);
