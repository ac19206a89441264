// The platform's floor for a recording: a bare blocking read loop over the audio library,
// the same stream the recorder opens by default (the default input, 44100 Hz, stereo,
// 16-bit, 100 ms reads), doing nothing with the samples. Its CPU time is read from the
// Linux side by bench/cpu_bench.sh at the two marks; it prints its own figure as well.
// Usage: pa_floor_bench seconds [folder of the script's acknowledgements]
#include <windows.h>

#include <portaudio.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/ScriptHandshake.h"

namespace
{
const int kRate = 44100;
const int kChannels = 2;
const unsigned long kFrames = kRate / 10;

double ProcessCpuSeconds()
{
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    auto value = [](FILETIME t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(value(kernel) + value(user)) / 1e7;
}

// Frames read, or a negative value on a failure of the library.
long long ReadFor(int device, int seconds)
{
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    if (!info)
        return -1;
    PaStreamParameters input = {};
    input.device = device;
    input.channelCount = kChannels;
    input.sampleFormat = paInt16;
    input.suggestedLatency = info->defaultLowInputLatency;
    PaStream* stream = nullptr;
    if (Pa_OpenStream(&stream, &input, nullptr, kRate, paFramesPerBufferUnspecified, paNoFlag, nullptr,
                      nullptr) != paNoError)
        return -1;
    std::vector<short> block(kFrames * kChannels);
    long long frames = 0;
    PaError error = Pa_StartStream(stream);
    while (error == paNoError && frames < static_cast<long long>(seconds) * kRate)
    {
        error = Pa_ReadStream(stream, block.data(), kFrames);
        if (error == paInputOverflowed)
            error = paNoError; // lost input before the block; the loop's cost is the same
        frames += kFrames;
    }
    Pa_StopStream(stream);
    Pa_CloseStream(stream);
    return error == paNoError ? frames : -1;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int seconds = argc > 1 ? _wtoi(argv[1]) : 20;
    const ScriptHandshake script(argc > 2 ? argv[2] : L"");
    if (seconds < 1)
    {
        std::fprintf(stderr, "pa_floor_bench: give the seconds to read\n");
        return 2;
    }
    if (Pa_Initialize() != paNoError)
    {
        std::fprintf(stderr, "pa_floor_bench: the audio library did not start\n");
        return 1;
    }
    const int device = Pa_GetDefaultInputDevice();
    int code = 1;
    if (device != paNoDevice && script.Mark("start"))
    {
        const double before = ProcessCpuSeconds();
        const long long frames = ReadFor(device, seconds);
        const double cpu = ProcessCpuSeconds() - before;
        if (script.Mark("end") && frames > 0)
        {
            const double read = static_cast<double>(frames) / kRate;
            std::printf("result floor seconds=%.3f own_cpu=%.3f\n", read, cpu);
            std::printf("Bare read loop, 44100 Hz stereo 16-bit: %.2f s CPU for %.1f s = %.2f s per minute "
                        "(the process's own count)\n",
                        cpu, read, cpu * 60.0 / read);
            code = 0;
        }
    }
    if (code != 0)
        std::fprintf(stderr, "pa_floor_bench: no reading (is the capture source there?)\n");
    Pa_Terminate();
    return code;
}
