// The master volume as the platform sees it: what the player writes is read back through the
// platform's own mixer, found here the same way any program would find it.
#include "support.h"

#include "app/volume.h"
#include "skin/frame.h"
#include "skin/hint.h"
#include "skin/skin.h"

#include <gtest/gtest.h>
#include <mmsystem.h>

namespace {
// The speakers line's control of a type, read as one value for all channels.
bool readSpeakers(DWORD type, DWORD* value) {
    MIXERLINEW line = {};
    line.cbStruct = sizeof line;
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    MIXERCONTROLW control = {};
    control.cbStruct = sizeof control;
    MIXERLINECONTROLSW controls = {sizeof controls, 0, {type}, 1, sizeof control, &control};
    MIXERCONTROLDETAILS details = {sizeof details, 0, 1, {}, sizeof *value, value};
    // The first mixer, by its number.
    return mixerGetLineInfoW(nullptr, &line, MIXER_OBJECTF_MIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) == 0 &&
           (controls.dwLineID = line.dwLineID,
            mixerGetLineControlsW(nullptr, &controls,
                                  MIXER_OBJECTF_MIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) == 0) &&
           (details.dwControlID = control.dwControlID,
            mixerGetControlDetailsW(nullptr, &details,
                                    MIXER_OBJECTF_MIXER | MIXER_GETCONTROLDETAILSF_VALUE) == 0);
}

DWORD speakers(DWORD type) {
    DWORD value = 0xDEAD;
    EXPECT_TRUE(readSpeakers(type, &value));
    return value;
}

TEST(MasterVolume, StepsAndMuteReachTheSpeakersAndAnUnreadableLevelIsLeftAlone) {
    openMixer();
    if (masterVolumeThroughEndpoint())
        GTEST_SKIP() << "the endpoint volume is used here; the speakers line is not the master";
    changeVolume(-1, 100);
    EXPECT_EQ(speakers(MIXERCONTROL_CONTROLTYPE_VOLUME), 65535u);
    changeVolume(-1, -3);
    EXPECT_EQ(speakers(MIXERCONTROL_CONTROLTYPE_VOLUME), 63569u) << "97 %";
    EXPECT_EQ(readVolumePercent(), 97);
    EXPECT_EQ(hintMode, HintMode::Volume);
    for (bool mute : {true, false}) {
        changeVolume(mute ? 1 : 0, 0);
        EXPECT_EQ(muted, mute);
        EXPECT_EQ(controlTable[kMuteRow].latched, mute ? 1 : 0) << "the button follows";
        EXPECT_EQ(speakers(MIXERCONTROL_CONTROLTYPE_MUTE), mute ? 1u : 0u);
        EXPECT_EQ(speakers(MIXERCONTROL_CONTROLTYPE_VOLUME), 63569u) << "muting leaves the level";
        setMuteLatched(!mute);
        openMixer();
        EXPECT_EQ(controlTable[kMuteRow].latched, mute ? 1 : 0) << "an opened mixer shows its state";
    }
    closeMixer();
    EXPECT_EQ(readVolumePercent(), -1);
    changeVolume(-1, 1);
    EXPECT_EQ(speakers(MIXERCONTROL_CONTROLTYPE_VOLUME), 63569u) << "no level read, none written";
    setMuteLatched(true); // as a click on the button does first
    changeVolume(1, 0);
    EXPECT_FALSE(muted) << "a mute nothing took is not shown as done";
    EXPECT_EQ(controlTable[kMuteRow].latched, 0);
    openMixer();
    changeVolume(-1, 100);
    closeMixer();
    hideHint();
}
} // namespace
