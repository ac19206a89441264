// Reads one block of a blocking input stream without ever waiting inside the audio
// library: the library's read waits for ever for audio that a removed device never
// delivers. Only what the stream already holds is read; between pieces the reader
// sleeps, watches the recording flag and gives up once no audio has come for a while.
#pragma once

#include <windows.h>

#include <portaudio.h>

#include <atomic>
#include <cstdint>

class BlockReader
{
public:
    using AvailableFn = signed long (*)(PaStream* stream);
    using ReadFn = PaError (*)(PaStream* stream, void* buffer, unsigned long frames);
    using ClockFn = DWORD(WINAPI*)();
    using SleepFn = void(WINAPI*)(DWORD ms);

    // Results besides paNoError and the library's own (negative) errors.
    static constexpr PaError kStopped = 1; // the recording flag was cleared mid-block
    static constexpr PaError kNoAudio = 2; // nothing arrived for the silence limit

    // How long a block still in progress may take to complete after Stop.
    static constexpr DWORD kStopGraceMs = 250;
    static constexpr DWORD kPollMs = 10;

    struct Calls
    {
        AvailableFn available = Pa_GetStreamReadAvailable;
        ReadFn read = Pa_ReadStream;
        ClockFn clock = GetTickCount;
        SleepFn sleep = Sleep;
    };

    BlockReader(PaStream* stream, unsigned frameBytes, DWORD silenceLimitMs, const Calls& calls);
    BlockReader(PaStream* stream, unsigned frameBytes, DWORD silenceLimitMs)
        : BlockReader(stream, frameBytes, silenceLimitMs, Calls())
    {
    }

    // Fills buffer with frames frames; recording is the session's flag. paInputOverflowed
    // when the library reported an overflow on the way (the block is still whole).
    PaError Read(void* buffer, unsigned long frames, const std::atomic<int32_t>& recording);

    // The stream has been started: the silence clock starts anew.
    void Started() { m_lastAudio = m_calls.clock(); }

private:
    PaStream* const m_stream;
    const unsigned m_nFrameBytes;
    const DWORD m_nSilenceLimitMs;
    const Calls m_calls;
    DWORD m_lastAudio;
};
