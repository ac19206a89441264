#include "engine/BlockReader.h"

BlockReader::BlockReader(PaStream* stream, unsigned frameBytes, DWORD silenceLimitMs, const Calls& calls)
    : m_stream(stream), m_nFrameBytes(frameBytes), m_nSilenceLimitMs(silenceLimitMs), m_calls(calls),
      m_lastAudio(calls.clock())
{
}

PaError BlockReader::Read(void* buffer, unsigned long frames, const std::atomic<int32_t>& recording)
{
    BYTE* out = static_cast<BYTE*>(buffer);
    unsigned long filled = 0;
    bool stopSeen = false;
    bool overflowed = false;
    DWORD stopAt = 0;
    while (filled < frames)
    {
        const DWORD now = m_calls.clock();
        if (!recording && !stopSeen)
        {
            stopSeen = true;
            stopAt = now;
        }
        const signed long available = m_calls.available(m_stream);
        if (available < 0)
            return static_cast<PaError>(available);
        if (available == 0)
        {
            if (stopSeen && now - stopAt >= kStopGraceMs)
                return kStopped;
            if (now - m_lastAudio >= m_nSilenceLimitMs)
                return kNoAudio;
            m_calls.sleep(kPollMs);
            continue;
        }
        const unsigned long n = static_cast<unsigned long>(available) < frames - filled
                                    ? static_cast<unsigned long>(available)
                                    : frames - filled;
        const PaError error = m_calls.read(m_stream, out + static_cast<size_t>(filled) * m_nFrameBytes, n);
        // An overflow lost input before this piece, but the piece itself is good.
        if (error == paInputOverflowed)
            overflowed = true;
        else if (error != paNoError)
            return error;
        filled += n;
        m_lastAudio = m_calls.clock();
    }
    return overflowed ? paInputOverflowed : paNoError;
}
