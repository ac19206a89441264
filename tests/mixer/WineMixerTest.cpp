// The back end against the machine's real mixer. Which mixer the system gives a wave
// handle, and which lines and controls that mixer has, is the system's business and
// differs from machine to machine: the tests ask the system about the same handle
// through a second mixer handle and check that the program shows and writes what the
// system reports. The selector logic is covered against the fake mixer.
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

PaStreamParameters Parameters(PaDeviceIndex device, bool input)
{
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    PaStreamParameters p = {};
    p.device = device;
    p.channelCount = (input ? info->maxInputChannels : info->maxOutputChannels) >= 2 ? 2 : 1;
    p.sampleFormat = paInt16;
    p.suggestedLatency = input ? info->defaultLowInputLatency : info->defaultLowOutputLatency;
    return p;
}

// A never-started blocking stream, as the program probes a device with; null when the
// device does not open.
PaStream* OpenStream(PaDeviceIndex in, PaDeviceIndex out = paNoDevice)
{
    PaStreamParameters input = Parameters(in, true);
    PaStreamParameters output = out == paNoDevice ? PaStreamParameters() : Parameters(out, false);
    PaStream* stream = nullptr;
    const PaError e = Pa_OpenStream(&stream, &input, out == paNoDevice ? nullptr : &output,
                                    Pa_GetDeviceInfo(in)->defaultSampleRate, 0, paNoFlag, nullptr, nullptr);
    return e == paNoError ? stream : nullptr;
}

// The system's own answers, through a second handle on the same mixer.
struct Direct
{
    template <typename Handle> Direct(Handle handle, DWORD kind)
    {
        UINT id = 0;
        if (handle != nullptr &&
            mixerGetID(reinterpret_cast<HMIXEROBJ>(handle), &id, kind) == MMSYSERR_NOERROR &&
            mixerOpen(&mixer, id, 0, 0, CALLBACK_NULL) == MMSYSERR_NOERROR)
        {
            MIXERCAPSA caps = {};
            EXPECT_EQ(MMSYSERR_NOERROR, mixerGetDevCapsA(id, &caps, sizeof caps));
            name = caps.szPname;
        }
        else
            mixer = nullptr;
    }
    ~Direct()
    {
        if (mixer)
            mixerClose(mixer);
    }
    Direct(const Direct&) = delete;
    Direct& operator=(const Direct&) = delete;

    // The destination of that type; false when the mixer has none.
    bool Destination(DWORD type, MIXERLINEA& line)
    {
        line = MIXERLINEA();
        line.cbStruct = sizeof line;
        line.dwComponentType = type;
        return mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(mixer), &line,
                                 MIXER_GETLINEINFOF_COMPONENTTYPE) == MMSYSERR_NOERROR;
    }
    MIXERLINEA Source(const MIXERLINEA& destination, DWORD source)
    {
        MIXERLINEA line = {};
        line.cbStruct = sizeof line;
        line.dwDestination = destination.dwDestination;
        line.dwSource = source;
        EXPECT_EQ(MMSYSERR_NOERROR,
                  mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(mixer), &line, MIXER_GETLINEINFOF_SOURCE));
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
    // A volume as the program shows it: the control's range mapped onto 0.0 to 1.0.
    float Volume(const MIXERCONTROLA& control)
    {
        const DWORD v = Value(control.dwControlID);
        const DWORD low = control.Bounds.dwMinimum, high = control.Bounds.dwMaximum;
        return v <= low ? 0.0f : v >= high ? 1.0f : static_cast<float>(double(v - low) / double(high - low));
    }
    HMIXER mixer = nullptr;
    std::string name;
};

// The raw value a volume of 0.5 is written as.
DWORD Half(const MIXERCONTROLA& control)
{
    return control.Bounds.dwMinimum + (control.Bounds.dwMaximum - control.Bounds.dwMinimum) / 2;
}
} // namespace

TEST_F(WineMixer, NullStreamGetsTheInertRecord)
{
    InputMixer* mixer = OpenInputMixer(nullptr, 0);
    ASSERT_NE(nullptr, mixer);
    EXPECT_EQ(0, GetInputSourceCount(mixer));
    EXPECT_EQ(-1, GetSelectedSource(mixer));
    CloseInputMixer(mixer);
}

// Every capture device: no mixer where the system names none for the stream's handle,
// else the lines, names and volume of the mixer the system names.
TEST_F(WineMixer, EveryCaptureDeviceShowsTheMixerOfItsHandle)
{
    int withMixer = 0;
    for (PaDeviceIndex device = 0; device < Pa_GetDeviceCount(); ++device)
    {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
        if (info->maxInputChannels == 0)
            continue;
        SCOPED_TRACE(info->name);
        PaStream* stream = OpenStream(device);
        if (stream == nullptr)
            continue;
        Direct direct(MixerApi::System().getStreamInputHandle(stream, 0), MIXER_OBJECTF_HWAVEIN);
        MIXERLINEA destination;
        const bool usable = direct.mixer != nullptr &&
                            direct.Destination(MIXERLINE_COMPONENTTYPE_DST_WAVEIN, destination) &&
                            destination.cConnections > 0;
        InputMixer* mixer = OpenInputMixer(stream, 0);
        Pa_CloseStream(stream); // the mixer keeps its own handles
        if (!usable)
        {
            EXPECT_EQ(nullptr, mixer);
            CloseInputMixer(mixer);
            continue;
        }
        ASSERT_NE(nullptr, mixer);
        ++withMixer;

        EXPECT_EQ(1, mixer->ops.MixerCount(mixer));
        EXPECT_STREQ(direct.name.c_str(), mixer->ops.MixerName(mixer, 0));
        EXPECT_EQ(0, mixer->ops.OutputVolumeCount(mixer));
        ASSERT_EQ(static_cast<int>(destination.cConnections), GetInputSourceCount(mixer));
        for (DWORD i = 0; i < destination.cConnections; ++i)
            EXPECT_STREQ(direct.Source(destination, i).szName, GetSourceName(mixer, static_cast<int>(i)));
        EXPECT_EQ(nullptr, GetSourceName(mixer, static_cast<int>(destination.cConnections)));

        MIXERCONTROLA selector, volume, destinationVolume;
        if (direct.Control(destination.dwLineID, MIXERCONTROL_CONTROLTYPE_MUX, selector) ||
            direct.Control(destination.dwLineID, MIXERCONTROL_CONTROLTYPE_MIXER, selector))
        {
            CloseInputMixer(mixer);
            continue;
        }
        // Without a selector the first line is the one recorded, and selecting writes nothing.
        EXPECT_EQ(0, GetSelectedSource(mixer));
        const MIXERLINEA source = direct.Source(destination, 0);
        NoteWrites noted;
        if (!direct.Control(source.dwLineID, MIXERCONTROL_CONTROLTYPE_VOLUME, volume))
        {
            EXPECT_EQ(-1.0f, GetSourceVolume(mixer));
            SetSourceVolume(mixer, 0.5f);
            EXPECT_TRUE(g_writes.empty());
            CloseInputMixer(mixer);
            continue;
        }
        const bool hasDestinationVolume =
            direct.Control(destination.dwLineID, MIXERCONTROL_CONTROLTYPE_VOLUME, destinationVolume);
        const DWORD recordingLevel = hasDestinationVolume ? direct.Value(destinationVolume.dwControlID) : 0;

        // Whatever the system says of the line's volume must come through.
        EXPECT_EQ(direct.Volume(volume), GetSourceVolume(mixer));
        SetSourceVolume(mixer, 0.5f);
        ASSERT_EQ(1u, g_writes.size());
        EXPECT_EQ(volume.dwControlID, g_writes[0].control); // the line's own control...
        EXPECT_EQ(Half(volume), g_writes[0].value);
        EXPECT_EQ(static_cast<MMRESULT>(MMSYSERR_NOERROR), g_writes[0].result);
        if (hasDestinationVolume)
        {
            EXPECT_EQ(recordingLevel,
                      direct.Value(destinationVolume.dwControlID)); // ... not the destination's
        }
        EXPECT_EQ(direct.Volume(volume), GetSourceVolume(mixer));
        SelectSource(mixer, 0);
        EXPECT_EQ(0, GetSelectedSource(mixer));
        EXPECT_EQ(1u, g_writes.size());
        CloseInputMixer(mixer);
    }
    if (withMixer == 0)
        GTEST_SKIP() << "the system names a mixer for no capture device";
}

// A duplex stream reaches the output mixer's volume as well: every pair of devices.
TEST_F(WineMixer, DuplexStreamReachesTheSpeakersVolume)
{
    int withMixers = 0;
    for (PaDeviceIndex in = 0; in < Pa_GetDeviceCount(); ++in)
        for (PaDeviceIndex out = 0; out < Pa_GetDeviceCount(); ++out)
        {
            if (Pa_GetDeviceInfo(in)->maxInputChannels == 0 || Pa_GetDeviceInfo(out)->maxOutputChannels == 0)
                continue;
            SCOPED_TRACE(std::string(Pa_GetDeviceInfo(in)->name) + " / " + Pa_GetDeviceInfo(out)->name);
            PaStream* stream = OpenStream(in, out);
            if (stream == nullptr)
                continue;
            Direct input(MixerApi::System().getStreamInputHandle(stream, 0), MIXER_OBJECTF_HWAVEIN);
            Direct output(MixerApi::System().getStreamOutputHandle(stream, 0), MIXER_OBJECTF_HWAVEOUT);
            MIXERLINEA capture, speakers;
            InputMixer* mixer = OpenInputMixer(stream, 0);
            Pa_CloseStream(stream);
            if (!input.mixer || !output.mixer ||
                !input.Destination(MIXERLINE_COMPONENTTYPE_DST_WAVEIN, capture) || !capture.cConnections ||
                !output.Destination(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, speakers) || !speakers.cConnections)
            {
                EXPECT_EQ(nullptr, mixer);
                CloseInputMixer(mixer);
                continue;
            }
            ASSERT_NE(nullptr, mixer);
            ++withMixers;
            const InputMixerOps& ops = mixer->ops;
            EXPECT_EQ(2, ops.MixerCount(mixer));
            EXPECT_STREQ(input.name.c_str(), ops.MixerName(mixer, 0));
            EXPECT_STREQ(output.name.c_str(), ops.MixerName(mixer, 1));
            EXPECT_EQ(static_cast<int>(speakers.cConnections), ops.OutputVolumeCount(mixer));
            MIXERCONTROLA master;
            if (output.Control(speakers.dwLineID, MIXERCONTROL_CONTROLTYPE_VOLUME, master))
            {
                // Written back as read: other tests record from the same server meanwhile.
                const float before = output.Volume(master);
                EXPECT_EQ(before, ops.MasterVolumeGet(mixer));
                NoteWrites noted;
                ops.MasterVolumeSet(mixer, before);
                ASSERT_EQ(1u, g_writes.size());
                EXPECT_EQ(master.dwControlID, g_writes[0].control);
                EXPECT_EQ(static_cast<MMRESULT>(MMSYSERR_NOERROR), g_writes[0].result);
                EXPECT_NEAR(double(output.Value(master.dwControlID)), double(g_writes[0].value), 1.0);
            }
            CloseInputMixer(mixer);
        }
    if (withMixers == 0)
        GTEST_SKIP() << "the system names mixers for no pair of devices";
}
