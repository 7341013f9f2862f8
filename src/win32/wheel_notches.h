// The mouse wheel's deltas gather into notches, across every window the wheel turns over.
#pragma once

extern int wheelRemainder;

// -1, 0 or +1 for one wheel message of `delta` units.
int takeWheelNotch(int delta);
