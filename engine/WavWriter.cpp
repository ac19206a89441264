#include "engine/WavWriter.h"

#include <cstring>
#include <utility>

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
    : m_file(new CFile), m_nChannels(channels), m_nSampleRate(sampleRate),
      m_nBitsPerSample(bitsPerSample == 8 ? 8 : 16), m_nBytesPerSample(bitsPerSample == 8 ? 1 : 2),
      m_nFrameBytes(static_cast<uint64_t>(channels > 0 ? channels : 0) * m_nBytesPerSample),
      m_nRefreshBytes(static_cast<uint64_t>(sampleRate) * m_nFrameBytes)
{
    if (dataLimit > kMaxDataBytes)
        dataLimit = kMaxDataBytes;
    m_nDataLimit = m_nFrameBytes ? dataLimit - dataLimit % m_nFrameBytes : 0;
}

void WavWriter::Create(LPCWSTR path)
{
    Create(path, std::unique_ptr<CFile>(new CFile));
}

void WavWriter::Create(LPCWSTR path, std::unique_ptr<CFile> file)
{
    CFileException error;
    if (!file->Open(path, CFile::modeCreate | CFile::modeWrite, &error))
        throw error;
    Start(std::move(file));
}

void WavWriter::Start(std::unique_ptr<CFile> file)
{
    m_file = std::move(file);
    BYTE header[kHeaderSize];
    BuildWavHeader(header, m_nChannels, m_nSampleRate, m_nBitsPerSample, 0);
    m_file->Write(header, kHeaderSize);
    m_nDataBytes = 0;
    m_nNextRefresh = m_nRefreshBytes;
}

UINT WavWriter::Write(const int32_t* samples, UINT count)
{
    const uint64_t room = (m_nDataLimit - m_nDataBytes) / m_nBytesPerSample;
    const UINT kept = room < count ? static_cast<UINT>(room) : count;
    if (kept == 0)
        return 0;
    m_pcm.resize(static_cast<size_t>(kept) * m_nBytesPerSample);
    ConvertToPcm(samples, m_pcm.data(), kept, m_nBitsPerSample);
    try
    {
        m_file->Write(m_pcm.data(), static_cast<UINT>(m_pcm.size()));
        m_nDataBytes += m_pcm.size();
        if (m_nRefreshBytes && m_nDataBytes >= m_nNextRefresh)
        {
            WriteSizes(m_nDataBytes - m_nDataBytes % m_nFrameBytes);
            m_nNextRefresh = m_nDataBytes + m_nRefreshBytes;
        }
    }
    catch (...)
    {
        KeepWholeFramesOnDisk();
        throw;
    }
    return kept;
}

// Only the two size fields, and back to the end: the rest of the header never changes.
// The handle's writes go straight to the system, so no flush is needed to outlive the
// process.
void WavWriter::WriteSizes(uint64_t dataBytes)
{
    BYTE field[4];
    Put32(field, static_cast<uint32_t>(dataBytes + 36));
    m_file->Seek(4, CFile::begin);
    m_file->Write(field, 4);
    Put32(field, static_cast<uint32_t>(dataBytes));
    m_file->Seek(40, CFile::begin);
    m_file->Write(field, 4);
    m_file->Seek(static_cast<LONGLONG>(kHeaderSize + m_nDataBytes), CFile::begin);
}

// After a failed write part of the last chunk may be on disk: the header takes the whole
// frames there and a partial frame is cut off. Rewriting bytes already on disk and
// shrinking the file need no room, so this works on a full disk; if it fails too, the
// original error is the one to report.
void WavWriter::KeepWholeFramesOnDisk()
{
    try
    {
        const ULONGLONG length = m_file->GetLength();
        if (length < kHeaderSize || m_nFrameBytes == 0)
            return;
        uint64_t onDisk = length - kHeaderSize;
        if (onDisk > m_nDataLimit)
            onDisk = m_nDataLimit;
        onDisk -= onDisk % m_nFrameBytes;
        m_nDataBytes = onDisk;
        WriteSizes(onDisk);
        m_file->SetLength(kHeaderSize + onDisk);
    }
    catch (...)
    {
    }
}

void WavWriter::Finish()
{
    BYTE header[kHeaderSize];
    BuildWavHeader(header, m_nChannels, m_nSampleRate, m_nBitsPerSample, static_cast<uint32_t>(m_nDataBytes));
    m_file->Seek(0, CFile::begin);
    m_file->Write(header, kHeaderSize);
    m_file->Close();
}
