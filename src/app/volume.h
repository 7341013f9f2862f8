// The master volume and mute of everything the computer plays.
#pragma once

extern bool muted;

// Opens the master volume and shows its mute state on the mute button.
void openMixer();
// Opens it unless it was opened before: start-up asks for it after the first paint, and every
// function below asks first, in case a gesture comes sooner. Once closed, it stays closed.
void openMixerOnce();
void closeMixer();
// The default output device changed: its master volume is the one used from now on.
void followOutputDevice();
// Whether the default output device's endpoint volume is used (else the first mixer's speakers).
bool masterVolumeThroughEndpoint();
// mute: -1 leaves the mute state and steps the level by `step` percent; 0 unmutes, 1 mutes.
void changeVolume(int mute, int step);
// 0 to 100, or -1 when the level cannot be read.
int readVolumePercent();
// The volume bars over the picture, as the level and the mute state are now.
void showVolumeHintNow();
