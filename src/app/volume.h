// The master volume and mute of everything the computer plays.
#pragma once

extern bool muted;

void openMixer();
void closeMixer();
// Whether the default output device's endpoint volume is used (else the first mixer's speakers).
bool masterVolumeThroughEndpoint();
// mute: -1 leaves the mute state and steps the level by `step` percent; 0 unmutes, 1 mutes.
void changeVolume(int mute, int step);
// 0 to 100, or -1 when the level cannot be read.
int readVolumePercent();
// The volume bars over the picture, as the level and the mute state are now.
void showVolumeHintNow();
