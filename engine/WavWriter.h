// A PCM WAV file with the canonical 44-byte header, written from 32-bit samples that
// carry the sample in their top bits. File errors throw CFileException.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/CFile.h"

class WavWriter
{
public:
    static constexpr UINT kHeaderSize = 44;
    // The RIFF size (data + 36) must fit its 32-bit field.
    static constexpr uint64_t kMaxDataBytes = 0xFFFFFFFFull - 36;

    static void BuildWavHeader(BYTE* header, int channels, uint32_t sampleRate, int bitsPerSample,
                               uint32_t dataSize);
    // Narrows count samples to 16-bit little-endian or 8-bit unsigned PCM; returns the
    // position after the last byte written.
    static BYTE* ConvertToPcm(const int32_t* samples, BYTE* out, UINT count, int bitsPerSample);

    // dataLimit: the most data bytes the file takes (rounded down to whole frames).
    WavWriter(int channels, uint32_t sampleRate, int bitsPerSample, uint64_t dataLimit = kMaxDataBytes);

    // Creates (or truncates) the file and writes a header with data size 0.
    void Create(LPCWSTR path);
    // Appends count samples; returns how many fit under the limit (fewer only at the limit).
    UINT Write(const int32_t* samples, UINT count);
    // Writes the final sizes into the header and closes the file.
    void Finish();

    uint64_t GetDataBytes() const { return m_nDataBytes; }

private:
    CFile m_file;
    std::vector<BYTE> m_pcm;
    const int m_nChannels;
    const uint32_t m_nSampleRate;
    const int m_nBitsPerSample;
    const UINT m_nBytesPerSample;
    uint64_t m_nDataLimit;
    uint64_t m_nDataBytes = 0;
};
