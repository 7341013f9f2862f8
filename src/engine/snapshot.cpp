#include "engine/snapshot.h"

// The snapshot command reaches here; saving the frame comes with the snapshot work.
void saveSnapshot() {}
