#include "app/shell.h"

// Dropped files are taken over by the play list; until then the drop is only released.
void handleDroppedFiles(HDROP) {}
