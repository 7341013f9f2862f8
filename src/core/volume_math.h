// The master level's arithmetic: the mixer's 0..65535 against the percent the hint shows.
#pragma once

constexpr unsigned kLevelMax = 65535;

// Rounded to the nearest percent, as the platform's MulDiv rounds.
int percentOfLevel(unsigned level);
unsigned levelOfPercent(int percent);
// A wheel step of `step` percent from `percent`, kept within 0..100.
int steppedPercent(int percent, int step);
