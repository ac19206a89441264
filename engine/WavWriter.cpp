#include "engine/WavWriter.h"

#include <cstring>

namespace
{
void Put16(BYTE* p, uint32_t v)
{
    p[0] = static_cast<BYTE>(v);
    p[1] = static_cast<BYTE>(v >> 8);
}

void Put32(BYTE* p, uint32_t v)
{
    Put16(p, v & 0xFFFF);
    Put16(p + 2, v >> 16);
}
} // namespace

void WavWriter::BuildWavHeader(BYTE* header, int channels, uint32_t sampleRate, int bitsPerSample,
                               uint32_t dataSize)
{
    const uint32_t bytesPerSample = bitsPerSample == 8 ? 1 : 2;
    std::memcpy(header, "RIFF", 4);
    Put32(header + 4, dataSize + 36);
    std::memcpy(header + 8, "WAVEfmt ", 8);
    Put32(header + 16, 16);
    Put16(header + 20, 1);
    Put16(header + 22, static_cast<uint32_t>(channels));
    Put32(header + 24, sampleRate);
    Put32(header + 28, sampleRate * static_cast<uint32_t>(channels) * bytesPerSample);
    Put16(header + 32, static_cast<uint32_t>(channels) * bytesPerSample);
    Put16(header + 34, bitsPerSample == 8 ? 8 : 16);
    std::memcpy(header + 36, "data", 4);
    Put32(header + 40, dataSize);
}

BYTE* WavWriter::ConvertToPcm(const int32_t* samples, BYTE* out, UINT count, int bitsPerSample)
{
    if (bitsPerSample == 8)
    {
        // The top byte with its sign bit flipped, in unsigned arithmetic (no overflow).
        for (UINT i = 0; i < count; ++i)
            *out++ = static_cast<BYTE>((static_cast<uint32_t>(samples[i]) >> 24) ^ 0x80u);
        return out;
    }
    for (UINT i = 0; i < count; ++i)
    {
        const uint32_t s = static_cast<uint32_t>(samples[i]) >> 16;
        *out++ = static_cast<BYTE>(s);
        *out++ = static_cast<BYTE>(s >> 8);
    }
    return out;
}

WavWriter::WavWriter(int channels, uint32_t sampleRate, int bitsPerSample, uint64_t dataLimit)
    : m_nChannels(channels), m_nSampleRate(sampleRate), m_nBitsPerSample(bitsPerSample == 8 ? 8 : 16),
      m_nBytesPerSample(bitsPerSample == 8 ? 1 : 2)
{
    const uint64_t frameBytes = static_cast<uint64_t>(channels) * m_nBytesPerSample;
    if (dataLimit > kMaxDataBytes)
        dataLimit = kMaxDataBytes;
    m_nDataLimit = frameBytes ? dataLimit - dataLimit % frameBytes : 0;
}

void WavWriter::Create(LPCWSTR path)
{
    CFileException error;
    if (!m_file.Open(path, CFile::modeCreate | CFile::modeWrite, &error))
        throw error;
    BYTE header[kHeaderSize];
    BuildWavHeader(header, m_nChannels, m_nSampleRate, m_nBitsPerSample, 0);
    m_file.Write(header, kHeaderSize);
    m_nDataBytes = 0;
}

UINT WavWriter::Write(const int32_t* samples, UINT count)
{
    const uint64_t room = (m_nDataLimit - m_nDataBytes) / m_nBytesPerSample;
    const UINT kept = room < count ? static_cast<UINT>(room) : count;
    if (kept == 0)
        return 0;
    m_pcm.resize(static_cast<size_t>(kept) * m_nBytesPerSample);
    ConvertToPcm(samples, m_pcm.data(), kept, m_nBitsPerSample);
    m_file.Write(m_pcm.data(), static_cast<UINT>(m_pcm.size()));
    m_nDataBytes += m_pcm.size();
    return kept;
}

void WavWriter::Finish()
{
    BYTE header[kHeaderSize];
    BuildWavHeader(header, m_nChannels, m_nSampleRate, m_nBitsPerSample, static_cast<uint32_t>(m_nDataBytes));
    m_file.Seek(0, CFile::begin);
    m_file.Write(header, kHeaderSize);
    m_file.Close();
}
