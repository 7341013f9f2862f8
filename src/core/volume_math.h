// The master level's arithmetic: the program's 0..65535 against the percent the hint shows, the
// range a mixer control reports and the 0..1 scale of an endpoint's volume.
#pragma once

constexpr unsigned kLevelMax = 65535;

// Rounded to the nearest percent, as the platform's MulDiv rounds.
int percentOfLevel(unsigned level);
unsigned levelOfPercent(int percent);
// A wheel step of `step` percent from `percent`, kept within 0..100.
int steppedPercent(int percent, int step);
// A control's own value in minimum..maximum against the level; values outside the range are kept
// to its ends, and a range of one value is always the full level.
unsigned levelOfControlValue(unsigned value, unsigned minimum, unsigned maximum);
unsigned controlValueOfLevel(unsigned level, unsigned minimum, unsigned maximum);
// An endpoint's 0..1 volume against the level, rounded to the nearest.
unsigned levelOfScalar(float scalar);
float scalarOfLevel(unsigned level);
