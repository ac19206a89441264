// A PCM WAV file with the canonical 44-byte header, written from 32-bit samples that
// carry the sample in their top bits. File errors throw CFileException.
//
// While recording, the header's two sizes are brought up to date about once a second of
// audio, and after a failed write to the whole frames on disk: a process that dies, or a
// disk that fills, leaves a file that plays up to there.
#pragma once

#include <cstdint>
#include <memory>
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
    // The same through a file object of the caller's (tests pass one that fails).
    void Create(LPCWSTR path, std::unique_ptr<CFile> file);
    // Writes the header with data size 0 to a file the caller opened for writing.
    void Start(std::unique_ptr<CFile> file);
    // Appends count samples; returns how many fit under the limit (fewer only at the limit).
    // A failed write sets the header's sizes to the whole frames on disk, then throws.
    UINT Write(const int32_t* samples, UINT count);
    // Writes the final sizes into the header and closes the file.
    void Finish();

    // Data bytes between two rewrites of the header's sizes (default: one second of
    // audio); 0 leaves them at 0 until Finish.
    void SetRefreshInterval(uint64_t bytes) { m_nRefreshBytes = bytes; }

    uint64_t GetDataBytes() const { return m_nDataBytes; }

private:
    void WriteSizes(uint64_t dataBytes);
    void KeepWholeFramesOnDisk();

    std::unique_ptr<CFile> m_file;
    std::vector<BYTE> m_pcm;
    const int m_nChannels;
    const uint32_t m_nSampleRate;
    const int m_nBitsPerSample;
    const UINT m_nBytesPerSample;
    const uint64_t m_nFrameBytes;
    uint64_t m_nDataLimit;
    uint64_t m_nDataBytes = 0;
    uint64_t m_nRefreshBytes;
    uint64_t m_nNextRefresh = 0;
};
