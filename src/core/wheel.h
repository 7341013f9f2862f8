// Turns accumulated mouse-wheel deltas into single notches.
#pragma once

constexpr int kWheelNotch = 120;

// Adds delta to remainder; returns -1, 0 or +1 and moves remainder one notch toward zero when a
// whole notch has gathered. At most one notch per call: a delta of 240 returns +1 and keeps 120.
int takeWheelNotch(int& remainder, int delta);
