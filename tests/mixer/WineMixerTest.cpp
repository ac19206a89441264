// The back end against the machine's real mixer (Wine's PulseAudio driver in the
// test harness): each capture device has one recording line and no selector.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

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
    DWORD Volume(DWORD lineId, DWORD* maximum = nullptr)
    {
        MIXERCONTROLA control = {};
        control.cbStruct = sizeof control;
        MIXERLINECONTROLSA q = {sizeof q, lineId,         {MIXERCONTROL_CONTROLTYPE_VOLUME},
                                1,        sizeof control, &control};
        EXPECT_EQ(MMSYSERR_NOERROR, mixerGetLineControlsA(reinterpret_cast<HMIXEROBJ>(mixer), &q,
                                                          MIXER_GETLINECONTROLSF_ONEBYTYPE));
        MIXERCONTROLDETAILS_UNSIGNED value = {};
        MIXERCONTROLDETAILS d = {sizeof d, control.dwControlID, 1, {nullptr}, sizeof value, &value};
        EXPECT_EQ(MMSYSERR_NOERROR, mixerGetControlDetailsA(reinterpret_cast<HMIXEROBJ>(mixer), &d,
                                                            MIXER_GETCONTROLDETAILSF_VALUE));
        if (maximum)
            *maximum = control.Bounds.dwMaximum;
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
        EXPECT_EQ(0, mixer->ops.OutputVolumeCount(mixer));

        // Wine keeps the line's volume where it is; whatever it says must come through.
        DWORD maximum = 0;
        const DWORD raw = direct.Volume(source.dwLineID, &maximum);
        ASSERT_EQ(65535u, maximum);
        EXPECT_EQ(raw / 65535.0f, GetSourceVolume(mixer));
        SetSourceVolume(mixer, 0.5f);
        EXPECT_EQ(direct.Volume(source.dwLineID) / 65535.0f, GetSourceVolume(mixer));
        SelectSource(mixer, 0);
        EXPECT_EQ(0, GetSelectedSource(mixer));
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
