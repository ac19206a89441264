// Benchmarks of the recording engine:
//  1. WAV writer throughput: the writer's drain loop over a filled ring into a file, for
//     48 kHz stereo 16-bit, in samples per second and as a multiple of real time, with
//     the header's sizes refreshed once a second of audio and without, and their ratio.
//  2. CPU time of the whole recording process per recorded minute, 48 kHz stereo WAV
//     from the default input (the recording runs in this process, as in the driver).
// Usage: qmbench [seconds]   (the length of the long recording, default 20)
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/AudioLibrary.h"
#include "engine/DrainRing.h"
#include "engine/RecordingSession.h"
#include "engine/WavRecordingWriter.h"
#include "engine/WavWriter.h"
#include "tools/qmrec/DriverWindow.h"

namespace
{
const unsigned kRate = 48000;
const unsigned kChannels = 2;

std::wstring TempFolder()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"qmbench-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(f.QuadPart);
}

// Seconds the drain loop takes for 2 minutes of audio; the header's sizes are rewritten
// once a second of audio as in a recording, or never.
double WriterSeconds(const std::wstring& folder, const std::vector<int32_t>& source, bool refresh)
{
    const int rounds = 24; // 5 s each: 2 minutes of audio
    SampleRing ring(0x7FFFF);
    std::vector<int32_t> chunk(WavRecordingWriter::kChunk);
    const std::wstring path = folder + L"bench.wav";
    WavWriter wav(kChannels, kRate, 16);
    if (!refresh)
        wav.SetRefreshInterval(0);
    wav.Create(path.c_str());
    double busy = 0;
    for (int r = 0; r < rounds; ++r)
    {
        ring.Write(source.data(), static_cast<unsigned>(source.size()), kChannels);
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        DrainRing(
            ring, chunk.data(), WavRecordingWriter::kChunk, [] { return true; },
            [&](const int32_t* p, unsigned n) { wav.Write(p, n); });
        QueryPerformanceCounter(&t1);
        busy += Seconds(t0, t1);
    }
    wav.Finish();
    DeleteFileW(path.c_str());
    return busy;
}

// The writer with and without the header refresh, in turns, so that both see the same
// machine; the best of several runs of each.
void WriterThroughput(const std::wstring& folder)
{
    const unsigned fill = 5 * kRate * kChannels; // 5 s: the ring holds a little more
    std::vector<int32_t> source(fill);
    for (unsigned i = 0; i < fill; ++i)
        source[i] = static_cast<int32_t>(std::sin(i * 0.01) * 1e9);
    const double samples = 24.0 * fill;
    double with = 1e9, without = 1e9;
    for (int run = 0; run < 7; ++run)
    {
        without = std::min(without, WriterSeconds(folder, source, false));
        with = std::min(with, WriterSeconds(folder, source, true));
    }
    std::printf("WAV writer, 48 kHz stereo 16-bit, header refreshed once a second: %.0f samples in %.4f s = "
                "%.0f samples/s = %.0f x real time\n",
                samples, with, samples / with, samples / with / (kRate * kChannels));
    std::printf("WAV writer, the same without the refresh: %.4f s = %.0f samples/s = %.0f x real time\n",
                without, samples / without, samples / without / (kRate * kChannels));
    std::printf("WAV writer, time with the refresh / time without: %.3f\n", with / without);
}

uint64_t ProcessCpu100ns()
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    auto value = [](FILETIME t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return value(kernel) + value(user);
}

// CPU seconds (user + kernel, every thread of this process) spent while recording for
// the given time from the default input, or a negative value. The recording runs in
// this process: Wine does not report the times of another process.
double RecordingCpu(const std::wstring& folder, int seconds)
{
    const int device = Pa_GetDefaultInputDevice();
    FormatSupportTable formats;
    formats.ProbeInputFormats(device);
    formats.ResetFormatCapabilities();
    RecorderSettings settings;
    settings.nOutputFormat = FORMAT_WAV;
    settings.nSampleRateIndex = 8; // 48000 Hz
    settings.nChannels = kChannels;
    settings.strDestDir = folder.c_str();
    settings.strFileName = L"cpu";
    settings.bAutoStop = 1;
    settings.nStopHour = 0;
    settings.nStopMinute = static_cast<int16_t>(seconds / 60);
    settings.nStopSecond = static_cast<int16_t>(seconds % 60);

    // The engine's log goes to the error stream, out of the figures.
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    SetStdHandle(STD_OUTPUT_HANDLE, GetStdHandle(STD_ERROR_HANDLE));
    double cpu = -1;
    {
        DriverWindow window;
        const uint64_t before = ProcessCpu100ns();
        CString reason;
        if (window.Create() && window.Session().Record(settings, formats, device) && window.Run(reason))
            cpu = static_cast<double>(ProcessCpu100ns() - before) / 1e7;
    }
    SetStdHandle(STD_OUTPUT_HANDLE, out);
    DeleteFileW((folder + L"cpu.wav").c_str());
    return cpu;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int seconds = argc > 1 ? _wtoi(argv[1]) : 20;
    if (seconds < 6)
    {
        std::fprintf(stderr, "qmbench: the recording must be longer than 5 s\n");
        return 2;
    }
    const std::wstring folder = TempFolder();
    try
    {
        WriterThroughput(folder);
    }
    catch (const CException&)
    {
        std::fprintf(stderr, "qmbench: cannot write the WAV file\n");
        return 1;
    }

    AudioLibrary audio;
    if (audio.GetError() != paNoError)
    {
        std::fprintf(stderr, "qmbench: the audio library did not start\n");
        return 1;
    }
    const double shortCpu = RecordingCpu(folder, 5);
    const double longCpu = RecordingCpu(folder, seconds);
    RemoveDirectoryW(folder.c_str());
    if (shortCpu < 0 || longCpu < 0)
    {
        std::fprintf(stderr, "qmbench: the recording failed (is the capture source there?)\n");
        return 1;
    }
    // The difference between the two runs leaves out opening and closing the stream and file.
    std::printf("Recording process, 48 kHz stereo WAV: %.2f s CPU for %d s = %.2f s CPU per recorded minute "
                "(%.2f s per minute without opening and closing: %.2f s for 5 s)\n",
                longCpu, seconds, longCpu * 60.0 / seconds, (longCpu - shortCpu) * 60.0 / (seconds - 5),
                shortCpu);
    return 0;
}
