#include "playlist/file_ops.h"

// Reached from the R and digit keys; the file operations themselves come with their dialogs.
void runRenameDialog() {}
void moveCurrentToFolder(int) {}
