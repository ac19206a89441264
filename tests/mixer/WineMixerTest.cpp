// The back end against the machine's real mixer. Wine's PulseAudio driver in the test
// harness gives each wave device a mixer of its own with one destination; a capture
// mixer's one recording line has a volume control that reads 0 and ignores writes,
// and there is no selector. The wave mapper has no mixer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "mixer/InputMixer.h"
#include "mixer/MixerApi.h"

namespace
{
class WineMixer : public testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_EQ(paNoError, Pa_Initialize()); }
    static void TearDownTestSuite() { Pa_Terminate(); }
};

// The system's functions with every control write noted, to see what reached winmm
// where Wine takes a write without showing it.
struct ControlWrite
{
    DWORD control;
    DWORD value;
    MMRESULT result;
};
std::vector<ControlWrite> g_writes;

MMRESULT WINAPI NotedSetDetails(HMIXEROBJ mixer, LPMIXERCONTROLDETAILS details, DWORD flags)
{
    const MMRESULT result = MixerApi::System().mixerSetControlDetails(mixer, details, flags);
    g_writes.push_back({details->dwControlID,
                        static_cast<MIXERCONTROLDETAILS_UNSIGNED*>(details->paDetails)->dwValue, result});
    return result;
}

struct NoteWrites
{
    NoteWrites() : api(MixerApi::System()), previous(nullptr)
    {
        api.mixerSetControlDetails = NotedSetDetails;
        previous = MixerApi::Replace(&api);
        g_writes.clear();
    }
    ~NoteWrites() { MixerApi::Replace(previous); }
    MixerApi api;
    const MixerApi* previous;
};

PaDeviceIndex FindDevice(const char* name, bool input)
{
    for (PaDeviceIndex i = 0; i < Pa_GetDeviceCount(); ++i)
    {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        if (strcmp(info->name, name) == 0 && (input ? info->maxInputChannels : info->maxOutputChannels) > 0)
            return i;
    }
    return paNoDevice;
}

PaStreamParameters Parameters(PaDeviceIndex device, bool input)
{
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    PaStreamParameters p = {};
    p.device = device;
    p.channelCount = 2;
    p.sampleFormat = paInt16;
    p.suggestedLatency = input ? info->defaultLowInputLatency : info->defaultLowOutputLatency;
    return p;
}

// A never-started blocking stream, as the program probes a device with.
PaStream* OpenStream(PaDeviceIndex in, PaDeviceIndex out = paNoDevice)
{
    PaStreamParameters input = Parameters(in, true);
    PaStreamParameters output = out == paNoDevice ? PaStreamParameters() : Parameters(out, false);
    PaStream* stream = nullptr;
    const PaError e = Pa_OpenStream(&stream, &input, out == paNoDevice ? nullptr : &output,
                                    Pa_GetDeviceInfo(in)->defaultSampleRate, 0, paNoFlag, nullptr, nullptr);
    EXPECT_EQ(paNoError, e) << Pa_GetErrorText(e);
    return e == paNoError ? stream : nullptr;
}

// The system's own answers, through a second handle on the same mixer.
struct Direct
{
    explicit Direct(HWAVEIN waveIn)
    {
        UINT id = 0;
        if (mixerGetID(reinterpret_cast<HMIXEROBJ>(waveIn), &id, MIXER_OBJECTF_HWAVEIN) == MMSYSERR_NOERROR &&
            mixerOpen(&mixer, id, 0, 0, CALLBACK_NULL) == MMSYSERR_NOERROR)
            name = Name(id);
    }
    // Wine does not always give a wave handle the mixer of the device it was opened
    // on, so the name to expect is that of the mixer Wine names for the handle.
    static std::string Name(UINT id)
    {
        MIXERCAPSA caps = {};
        EXPECT_EQ(MMSYSERR_NOERROR, mixerGetDevCapsA(id, &caps, sizeof caps));
        return caps.szPname;
    }
    ~Direct()
    {
        if (mixer)
            mixerClose(mixer);
    }
    MIXERLINEA Line(DWORD destination, DWORD source, DWORD flags)
    {
        MIXERLINEA line = {};
        line.cbStruct = sizeof line;
        line.dwDestination = destination;
        line.dwSource = source;
        EXPECT_EQ(MMSYSERR_NOERROR, mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(mixer), &line, flags));
        return line;
    }
    // The line's control of that type; false when it has none.
    bool Control(DWORD lineId, DWORD type, MIXERCONTROLA& control)
    {
        control = MIXERCONTROLA();
        control.cbStruct = sizeof control;
        MIXERLINECONTROLSA q = {sizeof q, lineId, {type}, 1, sizeof control, &control};
        return mixerGetLineControlsA(reinterpret_cast<HMIXEROBJ>(mixer), &q,
                                     MIXER_GETLINECONTROLSF_ONEBYTYPE) == MMSYSERR_NOERROR;
    }
    DWORD Value(DWORD controlId)
    {
        MIXERCONTROLDETAILS_UNSIGNED value = {};
        MIXERCONTROLDETAILS d = {sizeof d, controlId, 1, {nullptr}, sizeof value, &value};
        EXPECT_EQ(MMSYSERR_NOERROR, mixerGetControlDetailsA(reinterpret_cast<HMIXEROBJ>(mixer), &d,
                                                            MIXER_GETCONTROLDETAILSF_VALUE));
        return value.dwValue;
    }
    HMIXER mixer = nullptr;
    std::string name;
};
} // namespace

TEST_F(WineMixer, NullStreamGetsTheInertRecord)
{
    InputMixer* mixer = OpenInputMixer(nullptr, 0);
    ASSERT_NE(nullptr, mixer);
    EXPECT_EQ(0, GetInputSourceCount(mixer));
    EXPECT_EQ(-1, GetSelectedSource(mixer));
    CloseInputMixer(mixer);
}

TEST_F(WineMixer, SoundMapperHasNoMixer)
{
    const PaDeviceIndex mapper = FindDevice("Wine Sound Mapper - Input", true);
    ASSERT_NE(paNoDevice, mapper);
    PaStream* stream = OpenStream(mapper);
    ASSERT_NE(nullptr, stream);
    EXPECT_EQ(nullptr, OpenInputMixer(stream, 0));
    Pa_CloseStream(stream);
}

TEST_F(WineMixer, CaptureDevicesShowTheirLineAndVolume)
{
    for (const char* name : {"PulseAudio", "Monitor of Null Output"})
    {
        SCOPED_TRACE(name);
        const PaDeviceIndex device = FindDevice(name, true);
        ASSERT_NE(paNoDevice, device);
        PaStream* stream = OpenStream(device);
        ASSERT_NE(nullptr, stream);
        Direct direct(MixerApi::System().getStreamInputHandle(stream, 0));
        ASSERT_NE(nullptr, direct.mixer);
        InputMixer* mixer = OpenInputMixer(stream, 0);
        Pa_CloseStream(stream); // the mixer keeps its own handles
        ASSERT_NE(nullptr, mixer);

        const MIXERLINEA destination = direct.Line(0, 0, MIXER_GETLINEINFOF_DESTINATION);
        ASSERT_EQ(static_cast<DWORD>(MIXERLINE_COMPONENTTYPE_DST_WAVEIN), destination.dwComponentType);
        ASSERT_EQ(1u, destination.cConnections);
        const MIXERLINEA source = direct.Line(0, 0, MIXER_GETLINEINFOF_SOURCE);
        ASSERT_EQ(1, GetInputSourceCount(mixer));
        EXPECT_STREQ(source.szName, GetSourceName(mixer, 0));
        EXPECT_EQ(nullptr, GetSourceName(mixer, 1));
        EXPECT_EQ(0, GetSelectedSource(mixer));
        EXPECT_EQ(1, mixer->ops.MixerCount(mixer));
        EXPECT_STREQ(direct.name.c_str(), mixer->ops.MixerName(mixer, 0));
#ifndef _WIN64
        // 32-bit Wine gives each capture handle its own device's mixer; wine64 the other's.
        EXPECT_STREQ(name, mixer->ops.MixerName(mixer, 0));
#endif
        EXPECT_EQ(0, mixer->ops.OutputVolumeCount(mixer));

        MIXERCONTROLA selector, volume, destinationVolume;
        EXPECT_FALSE(direct.Control(destination.dwLineID, MIXERCONTROL_CONTROLTYPE_MUX, selector));
        EXPECT_FALSE(direct.Control(destination.dwLineID, MIXERCONTROL_CONTROLTYPE_MIXER, selector));
        ASSERT_TRUE(direct.Control(source.dwLineID, MIXERCONTROL_CONTROLTYPE_VOLUME, volume));
        ASSERT_EQ(65535u, volume.Bounds.dwMaximum);
        ASSERT_TRUE(direct.Control(destination.dwLineID, MIXERCONTROL_CONTROLTYPE_VOLUME, destinationVolume));
        const DWORD recordingLevel = direct.Value(destinationVolume.dwControlID);

        // Whatever Wine says of the line's volume must come through.
        EXPECT_EQ(direct.Value(volume.dwControlID) / 65535.0f, GetSourceVolume(mixer));
        NoteWrites noted;
        SetSourceVolume(mixer, 0.5f);
        ASSERT_EQ(1u, g_writes.size());
        EXPECT_EQ(volume.dwControlID, g_writes[0].control); // the line's own control...
        EXPECT_EQ(32767u, g_writes[0].value);
        EXPECT_EQ(static_cast<MMRESULT>(MMSYSERR_NOERROR), g_writes[0].result);
        EXPECT_EQ(recordingLevel, direct.Value(destinationVolume.dwControlID)); // ... not the destination's
        EXPECT_EQ(direct.Value(volume.dwControlID) / 65535.0f, GetSourceVolume(mixer));
        SelectSource(mixer, 0); // no selector to write
        EXPECT_EQ(0, GetSelectedSource(mixer));
        EXPECT_EQ(1u, g_writes.size());
        CloseInputMixer(mixer);
    }
}

TEST_F(WineMixer, DuplexStreamReachesTheSpeakersVolume)
{
    const PaDeviceIndex in = FindDevice("Monitor of Null Output", true);
    const PaDeviceIndex out = FindDevice("Null Output", false);
    ASSERT_NE(paNoDevice, in);
    ASSERT_NE(paNoDevice, out);
    PaStream* stream = OpenStream(in, out);
    ASSERT_NE(nullptr, stream);
    const Direct input(MixerApi::System().getStreamInputHandle(stream, 0));
    UINT outputId = 0;
    ASSERT_EQ(MMSYSERR_NOERROR,
              mixerGetID(reinterpret_cast<HMIXEROBJ>(MixerApi::System().getStreamOutputHandle(stream, 0)),
                         &outputId, MIXER_OBJECTF_HWAVEOUT));
    InputMixer* mixer = OpenInputMixer(stream, 0);
    ASSERT_NE(nullptr, mixer);
    const InputMixerOps& ops = mixer->ops;
    EXPECT_EQ(2, ops.MixerCount(mixer));
    EXPECT_STREQ(input.name.c_str(), ops.MixerName(mixer, 0));
    EXPECT_STREQ(Direct::Name(outputId).c_str(), ops.MixerName(mixer, 1));
    EXPECT_EQ(1, ops.OutputVolumeCount(mixer));
    ops.MasterVolumeSet(mixer, 0.5f);
    EXPECT_EQ(32767 / 65535.0f, ops.MasterVolumeGet(mixer));
    ops.MasterVolumeSet(mixer, 1.0f);
    EXPECT_EQ(1.0f, ops.MasterVolumeGet(mixer));
    CloseInputMixer(mixer);
    Pa_CloseStream(stream);
}
