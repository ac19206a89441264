// The capture source every recording test relies on: the harness's PulseAudio
// monitor, read through Wine's driver, winmm and PortAudio (MME), must deliver
// the known signal exactly.
#include "harness/SignalMatch.h"

#include <gtest/gtest.h>
#include <portaudio.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{
class PortAudioSession
{
public:
    PortAudioSession() : m_error(Pa_Initialize()) {}
    ~PortAudioSession()
    {
        if (m_error == paNoError)
            Pa_Terminate();
    }
    PaError Error() const { return m_error; }

private:
    PaError m_error;
};

int FindInputDevice(const char* namePart)
{
    for (int i = 0; i < Pa_GetDeviceCount(); ++i)
    {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        if (info && info->maxInputChannels > 0 && std::string(info->name).find(namePart) != std::string::npos)
            return i;
    }
    return paNoDevice;
}

// Reads seconds of 44100 Hz 16-bit stereo from the device in 100 ms blocks.
std::vector<int16_t> Capture(int device, int seconds)
{
    PaStreamParameters in{};
    in.device = device;
    in.channelCount = 2;
    in.sampleFormat = paInt16;
    in.suggestedLatency = Pa_GetDeviceInfo(device)->defaultLowInputLatency;
    PaStream* stream = nullptr;
    PaError err =
        Pa_OpenStream(&stream, &in, nullptr, 44100, paFramesPerBufferUnspecified, paNoFlag, nullptr, nullptr);
    EXPECT_EQ(err, paNoError) << Pa_GetErrorText(err);
    if (err != paNoError)
        return {};
    EXPECT_EQ(Pa_GetStreamHostApiType(stream), paMME);
    Pa_StartStream(stream);
    std::vector<int16_t> frames(44100 * 2 * seconds);
    for (int block = 0; block < seconds * 10; ++block)
    {
        err = Pa_ReadStream(stream, &frames[block * 4410 * 2], 4410);
        EXPECT_TRUE(err == paNoError || err == paInputOverflowed) << Pa_GetErrorText(err);
    }
    Pa_StopStream(stream);
    Pa_CloseStream(stream);
    return frames;
}
} // namespace

TEST(CaptureSource, MonitorDeliversTheSignalExactly)
{
    PortAudioSession pa;
    ASSERT_EQ(pa.Error(), paNoError);
    for (int i = 0; i < Pa_GetDeviceCount(); ++i)
    {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        std::printf("device %d: %s (in %d, out %d, %s)\n", i, info->name, info->maxInputChannels,
                    info->maxOutputChannels, Pa_GetHostApiInfo(info->hostApi)->name);
    }
    int device = FindInputDevice("Monitor of Null Output");
    ASSERT_NE(device, paNoDevice) << "the harness's monitor is not among the input devices";
    // The stream may start with a little silence; from the first sound on, every frame matches.
    EXPECT_TRUE(IsWholeSignal(Capture(device, 2), 2, 0, 44100 / 2));
}

TEST(CaptureSource, DefaultInputIsTheMonitor)
{
    PortAudioSession pa;
    ASSERT_EQ(pa.Error(), paNoError);
    int device = Pa_GetDefaultInputDevice();
    ASSERT_NE(device, paNoDevice);
    std::printf("default input: %s\n", Pa_GetDeviceInfo(device)->name);
    EXPECT_TRUE(IsWholeSignal(Capture(device, 1), 2, 0, 44100 / 2));
}
