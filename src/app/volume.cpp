#include "app/volume.h"
#include "core/volume_math.h"

#include "app/shell.h"
#include "skin/frame.h"
#include "skin/hint.h"
#include "win32/com_ptr.h"

#include <windows.h>

#include <endpointvolume.h>
#include <mmdeviceapi.h>
#include <mmsystem.h>

bool muted;

namespace {
// The level of everything the computer plays. Since Windows Vista the old mixer's controls act on
// this program's own sound only, so the default output device's endpoint volume comes first; where
// there is none that can be set (Wine reads a level it cannot write), the first mixer's speakers
// line, whose control identifiers are the driver's choice and are looked up by type.
ComPtr<IMMDeviceEnumerator> devices;
ComPtr<IAudioEndpointVolume> endpoint;
HMIXER mixerHandle;

// Tells the window when the default output device changes (another device plugged in or chosen):
// its endpoint volume is the one to follow then. Called on the platform's own thread.
class DeviceWatch final : public IMMNotificationClient {
public:
    HRESULT WINAPI QueryInterface(REFIID iid, void** out) override {
        if (iid != __uuidof(IUnknown) && iid != __uuidof(IMMNotificationClient))
            return *out = nullptr, E_NOINTERFACE;
        *out = this;
        return S_OK;
    }
    // One object for the program's life: its count does not matter.
    ULONG WINAPI AddRef() override { return 1; }
    ULONG WINAPI Release() override { return 1; }
    HRESULT WINAPI OnDefaultDeviceChanged(EDataFlow flow, ERole role, LPCWSTR) override {
        if (flow == eRender && role == eConsole)
            PostMessageW(mainWindow, outputDeviceMessage, 0, 0);
        return S_OK;
    }
    HRESULT WINAPI OnDeviceStateChanged(LPCWSTR, DWORD) override { return S_OK; }
    HRESULT WINAPI OnDeviceAdded(LPCWSTR) override { return S_OK; }
    HRESULT WINAPI OnDeviceRemoved(LPCWSTR) override { return S_OK; }
    HRESULT WINAPI OnPropertyValueChanged(LPCWSTR, const PROPERTYKEY) override { return S_OK; }
} deviceWatch;

struct MixerControl {
    DWORD id = 0, minimum = 0, maximum = 0;
    bool found = false;
};
MixerControl volumeControl, muteControl;
bool mixerOpened;

void watchDevices() {
    if (SUCCEEDED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER,
                                   __uuidof(IMMDeviceEnumerator), reinterpret_cast<void**>(&devices))) &&
        FAILED(devices->RegisterEndpointNotificationCallback(&deviceWatch)))
        devices.reset();
}

bool openEndpoint() {
    ComPtr<IMMDevice> device;
    ComPtr<IAudioEndpointVolume> volume;
    float level = 0;
    if (!devices || FAILED(devices->GetDefaultAudioEndpoint(eRender, eConsole, &device)) ||
        FAILED(device->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_INPROC_SERVER, nullptr,
                                reinterpret_cast<void**>(&volume))) ||
        FAILED(volume->GetMasterVolumeLevelScalar(&level)) ||
        FAILED(volume->SetMasterVolumeLevelScalar(level, nullptr)))
        return false;
    endpoint = std::move(volume);
    return true;
}

MixerControl findControl(DWORD line, DWORD type) {
    MIXERCONTROLW control = {};
    control.cbStruct = sizeof control;
    MIXERLINECONTROLSW controls = {};
    controls.cbStruct = sizeof controls;
    controls.dwLineID = line;
    controls.dwControlType = type;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof control;
    controls.pamxctrl = &control;
    MixerControl found;
    if (mixerGetLineControlsW(reinterpret_cast<HMIXEROBJ>(mixerHandle), &controls,
                              MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) == MMSYSERR_NOERROR)
        found = {control.dwControlID, control.Bounds.dwMinimum, control.Bounds.dwMaximum, true};
    return found;
}

void openSpeakersLine() {
    if (mixerOpen(&mixerHandle, 0, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR) {
        mixerHandle = nullptr;
        return;
    }
    MIXERLINEW line = {};
    line.cbStruct = sizeof line;
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    if (mixerGetLineInfoW(reinterpret_cast<HMIXEROBJ>(mixerHandle), &line,
                          MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR)
        return;
    volumeControl = findControl(line.dwLineID, MIXERCONTROL_CONTROLTYPE_VOLUME);
    muteControl = findControl(line.dwLineID, MIXERCONTROL_CONTROLTYPE_MUTE);
}

// One value for all channels, as a uniform control is read and written.
MIXERCONTROLDETAILS detailsFor(const MixerControl& control, DWORD* value) {
    MIXERCONTROLDETAILS d = {};
    d.cbStruct = sizeof d;
    d.dwControlID = control.id;
    d.cChannels = 1;
    d.cbDetails = sizeof(DWORD);
    d.paDetails = value;
    return d;
}

bool readControl(const MixerControl& control, DWORD* value) {
    MIXERCONTROLDETAILS d = detailsFor(control, value);
    return control.found &&
           mixerGetControlDetailsW(reinterpret_cast<HMIXEROBJ>(mixerHandle), &d,
                                   MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR;
}

bool readLevel(unsigned* level) {
    if (endpoint) {
        float scalar = 0;
        if (FAILED(endpoint->GetMasterVolumeLevelScalar(&scalar)))
            return false;
        *level = levelOfScalar(scalar);
        return true;
    }
    DWORD value = 0;
    if (!readControl(volumeControl, &value))
        return false;
    *level = levelOfControlValue(value, volumeControl.minimum, volumeControl.maximum);
    return true;
}

bool writeControl(const MixerControl& control, DWORD value) {
    MIXERCONTROLDETAILS d = detailsFor(control, &value);
    return control.found &&
           mixerSetControlDetails(reinterpret_cast<HMIXEROBJ>(mixerHandle), &d,
                                  MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR;
}

void writeLevel(unsigned level) {
    if (endpoint)
        endpoint->SetMasterVolumeLevelScalar(scalarOfLevel(level), nullptr);
    else
        writeControl(volumeControl, controlValueOfLevel(level, volumeControl.minimum, volumeControl.maximum));
}

bool readMute() {
    BOOL on = FALSE;
    DWORD value = 0;
    if (endpoint)
        return SUCCEEDED(endpoint->GetMute(&on)) && on;
    return readControl(muteControl, &value) && value != 0;
}

bool writeMute(bool on) {
    if (endpoint)
        return SUCCEEDED(endpoint->SetMute(on ? TRUE : FALSE, nullptr));
    return writeControl(muteControl, on ? 1 : 0);
}

// The master volume of the default device as it is now: its endpoint, else the first mixer.
void openMaster() {
    if (!openEndpoint())
        openSpeakersLine();
    muted = readMute();
    setMuteLatched(muted);
}

void closeMaster() {
    endpoint.reset();
    if (mixerHandle != nullptr) {
        mixerClose(mixerHandle);
        mixerHandle = nullptr;
    }
    volumeControl = muteControl = MixerControl();
}
} // namespace

void openMixer() {
    mixerOpened = true;
    closeMaster();
    if (!devices)
        watchDevices();
    openMaster();
}

void followOutputDevice() {
    if (!mixerOpened || (!devices && !mixerHandle))
        return; // closed for good
    closeMaster();
    openMaster();
}

void openMixerOnce() {
    if (!mixerOpened)
        openMixer();
}

void closeMixer() {
    if (devices)
        devices->UnregisterEndpointNotificationCallback(&deviceWatch);
    devices.reset();
    closeMaster();
}

bool masterVolumeThroughEndpoint() {
    openMixerOnce();
    return static_cast<bool>(endpoint);
}

int readVolumePercent() {
    openMixerOnce();
    unsigned level = 0;
    return readLevel(&level) ? percentOfLevel(level) : -1;
}

void changeVolume(int mute, int step) {
    openMixerOnce();
    if (mute == 0 || mute == 1) {
        // The button shows what the device does: a mute it refused is not shown as done.
        if (writeMute(mute == 1))
            muted = mute == 1;
    } else if (int percent = readVolumePercent(); percent >= 0) {
        // A level that cannot be read is left as it is rather than stepped from nothing.
        writeLevel(levelOfPercent(steppedPercent(percent, step)));
    }
    setMuteLatched(muted);
    showVolumeHintNow();
}

void showVolumeHintNow() {
    RECT display = {};
    GetWindowRect(displayWindow, &display);
    showVolumeHint(display, readVolumePercent(), muted);
}
