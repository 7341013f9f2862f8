#include "app/volume.h"
#include "core/volume_math.h"

#include "app/shell.h"
#include "skin/frame.h"
#include "skin/hint.h"

#include <windows.h>
#include <mmsystem.h>

bool muted;

namespace {
HMIXER mixerHandle;
constexpr DWORD kVolumeControl = 2;
constexpr DWORD kMuteControl = 3;

MIXERCONTROLDETAILS detailsFor(DWORD control, DWORD* value) {
    MIXERCONTROLDETAILS d = {};
    d.cbStruct = sizeof d;
    d.dwControlID = control;
    d.cChannels = 1;
    d.cbDetails = sizeof(DWORD);
    d.paDetails = value;
    return d;
}

bool readControl(DWORD control, DWORD* value) {
    MIXERCONTROLDETAILS d = detailsFor(control, value);
    return mixerGetControlDetailsW(reinterpret_cast<HMIXEROBJ>(mixerHandle), &d,
                                   MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR;
}

void writeControl(DWORD control, DWORD value) {
    MIXERCONTROLDETAILS d = detailsFor(control, &value);
    mixerSetControlDetails(reinterpret_cast<HMIXEROBJ>(mixerHandle), &d,
                           MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE);
}
} // namespace

void openMixer() {
    if (mixerOpen(&mixerHandle, 0, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR)
        mixerHandle = nullptr;
    DWORD value = 0;
    muted = readControl(kMuteControl, &value) && value == 1;
}

void closeMixer() {
    if (mixerHandle != nullptr) {
        mixerClose(mixerHandle);
        mixerHandle = nullptr;
    }
}

int readVolumePercent() {
    DWORD value = 0;
    if (!readControl(kVolumeControl, &value))
        return -1;
    return percentOfLevel(value);
}

void changeVolume(int mute, int step) {
    if (mute == 0 || mute == 1) {
        muted = mute == 1;
        writeControl(kMuteControl, static_cast<DWORD>(mute));
    } else {
        writeControl(kVolumeControl, levelOfPercent(steppedPercent(readVolumePercent(), step)));
    }
    setMuteLatched(muted);
    showVolumeHintNow();
}

void showVolumeHintNow() {
    RECT display = {};
    GetWindowRect(displayWindow, &display);
    showVolumeHint(display, readVolumePercent(), muted);
}
