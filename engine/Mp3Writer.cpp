#include "engine/Mp3Writer.h"

#include <algorithm>
#include <utility>

#include "engine/FormatSupportTable.h"
#include "framework/TextConvert.h"

namespace
{
// The multibyte form of name when it converts back to exactly name.
bool ToExactMultiByte(LPCWSTR name, std::string& out)
{
    char narrow[1024];
    const int bytes = WideToMultiByte(name, narrow, sizeof(narrow));
    if (bytes <= 0 || bytes >= static_cast<int>(sizeof(narrow)) - 1)
        return false;
    std::vector<wchar_t> back(static_cast<size_t>(bytes) + 1);
    MultiByteToWide(narrow, back.data(), static_cast<int>(back.size()));
    if (CString(back.data()) != name)
        return false; // replaced or best-fit characters name another file
    out.assign(narrow, static_cast<size_t>(bytes));
    return true;
}
} // namespace

Mp3Writer::Mp3Writer(const RecorderSettings& settings, WarnFn warn)
    : RecordingWriter(std::move(warn)), m_settings(settings)
{
}

Mp3Writer::~Mp3Writer()
{
    // A stream opened and not finished (init failed with a handle, or an exception).
    if (m_stream)
        m_lame.CloseStream(m_stream);
}

BOOL Mp3Writer::LoadEncoder(const CString& folder)
{
    if (!m_lame.Load(folder))
        Warn(L"Error loading lame_enc.dll.");
    // Skipped without a library: there is nothing to ask.
    m_bReady = m_lame.IsLoaded() && m_lame.GetEntryPoints();
    if (!m_bReady)
        Warn(L"Unable to get LAME interfaces.");
    return m_bReady ? TRUE : FALSE;
}

unsigned Mp3Writer::SplitToFloat(const int32_t* samples, unsigned count, int channels, float* left,
                                 float* right)
{
    const float scale = 1.0f / 65536.0f;
    if (channels == 1)
    {
        for (unsigned i = 0; i < count; ++i)
            left[i] = static_cast<float>(samples[i]) * scale;
        return count;
    }
    const unsigned frames = count / 2;
    for (unsigned f = 0; f < frames; ++f)
    {
        left[f] = static_cast<float>(samples[2 * f]) * scale;
        right[f] = static_cast<float>(samples[2 * f + 1]) * scale;
    }
    return frames;
}

std::string Mp3Writer::GetTagFileName(const CString& path)
{
    std::string name;
    if (ToExactMultiByte(path, name))
        return name;
    wchar_t shortPath[1024];
    const DWORD length = GetShortPathNameW(path, shortPath, 1024);
    if (length > 0 && length < 1024 && ToExactMultiByte(shortPath, name))
        return name;
    return std::string();
}

unsigned Mp3Writer::FrameBytes(const BYTE* header, unsigned& samples, unsigned& rate)
{
    static const unsigned kMpeg1[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
    static const unsigned kMpeg2[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
    static const unsigned kRates[4] = {44100, 48000, 32000, 0};
    if (header[0] != 0xFF || (header[1] & 0xE0) != 0xE0)
        return 0;
    const unsigned version = (header[1] >> 3) & 3; // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
    const unsigned layer = (header[1] >> 1) & 3;   // 1 layer III
    const unsigned kbps = (version == 3 ? kMpeg1 : kMpeg2)[header[2] >> 4];
    const unsigned baseRate = kRates[(header[2] >> 2) & 3];
    if (version == 1 || layer != 1 || kbps == 0 || baseRate == 0)
        return 0;
    rate = baseRate >> (version == 3 ? 0 : version == 2 ? 1 : 2);
    samples = version == 3 ? 1152 : 576;
    return samples / 8 * kbps * 1000 / rate + ((header[2] >> 1) & 1);
}

void Mp3Writer::CountFrames(const BYTE* bytes, uint64_t count)
{
    const uint64_t start = m_nBytesOnDisk;
    m_nBytesOnDisk += count;
    while (!m_bLostFrames)
    {
        while (m_nHeaderBytes < 4 && m_nNextFrame + m_nHeaderBytes < m_nBytesOnDisk)
        {
            m_header[m_nHeaderBytes] = bytes[m_nNextFrame + m_nHeaderBytes - start];
            ++m_nHeaderBytes;
        }
        if (m_nHeaderBytes < 4)
            break;
        unsigned samples = 0;
        unsigned rate = 0;
        const unsigned frameBytes = FrameBytes(m_header, samples, rate);
        if (frameBytes == 0)
        {
            m_bLostFrames = true;
            break;
        }
        if (m_nNextFrame + frameBytes > m_nBytesOnDisk)
            break; // not whole yet
        m_nNextFrame += frameBytes;
        m_nHeaderBytes = 0;
        m_nFrameSamples += samples;
        m_nFileRate = rate;
    }
    if (m_nFileRate == 0)
        return;
    // In the input's samples: the file's rate may differ from it. A finished file's tag
    // tells players to skip the encoder's delay and padding, so never more than went in.
    const uint64_t inputRate = static_cast<uint64_t>(kSampleRates[m_settings.nSampleRateIndex]);
    const uint64_t frames =
        m_nFrameSamples * inputRate / m_nFileRate * static_cast<uint64_t>(m_settings.nChannels);
    m_nSamplesOnDisk = static_cast<int64_t>(std::min(frames, m_nSamplesIn));
}

void Mp3Writer::WriteBytes(const BYTE* bytes, DWORD count)
{
    // Nothing after a failed write reaches the file.
    if (count == 0 || HasWriteFailed())
        return;
    try
    {
        m_file->Write(bytes, count);
    }
    catch (const CFileException& e)
    {
        // Whole frames of what did reach the disk still count; the file ends after the
        // last of them. Bytes that are no frames leave only the whole writes.
        const uint64_t before = m_nBytesOnDisk;
        uint64_t onDisk = 0;
        try
        {
            const ULONGLONG length = m_file->GetLength();
            if (length > before)
                onDisk = std::min<uint64_t>(length - before, count);
        }
        catch (const CFileException&)
        {
        }
        CountFrames(bytes, onDisk);
        m_nBytesOnDisk = m_bLostFrames ? before : m_nNextFrame;
        CutBack(*m_file, m_nBytesOnDisk);
        FailWrite(e);
        return;
    }
    CountFrames(bytes, count);
}

bool Mp3Writer::Open(const CString& path, std::unique_ptr<CFile> file)
{
    if (!m_bReady)
        return false;
    if (!m_beConfig.Fill(m_settings))
    {
        Warn(L"The MP3 settings are out of range (sampling rate, channels or bitrate).");
        return false;
    }
    if (!CreateOutput(path, *file))
        return false;
    m_file = std::move(file);
    m_path = path;

    DWORD chunk = 0;
    DWORD outSize = 0;
    const LameEncoder::BE_ERR initError = m_lame.InitStream(&m_beConfig, &chunk, &outSize, &m_stream);
    if (initError != 0 || chunk == 0)
    {
        CString text;
        text.Format(L"Error opening encoding stream (%lu)", initError);
        Warn(text);
        return false;
    }
    m_nChunk = chunk;
    m_out.resize(outSize);
    const bool mono = m_settings.nChannels == 1;
    m_left.resize(mono ? chunk : chunk / 2);
    m_right.resize(mono ? 0 : chunk / 2);
    return true;
}

void Mp3Writer::Write(const int32_t* samples, unsigned count)
{
    const int channels = m_settings.nChannels;
    const unsigned perChannel = SplitToFloat(samples, count, channels, m_left.data(), m_right.data());
    DWORD produced = 0;
    const LameEncoder::BE_ERR error =
        m_lame.EncodeChunkFloatS16NI(m_stream, perChannel, m_left.data(),
                                     channels == 1 ? nullptr : m_right.data(), m_out.data(), &produced);
    // One line for the encoder however many chunks fail: the rest of the ring still goes in.
    if (error != 0 && !m_bEncodeFailed)
    {
        m_bEncodeFailed = true;
        CString text;
        text.Format(L"beEncodeChunk() failed (%lu)", error);
        Warn(text);
    }
    m_nSamplesIn += count;
    WriteBytes(m_out.data(), produced);
}

void Mp3Writer::Finish()
{
    DWORD produced = 0;
    const LameEncoder::BE_ERR flushError = m_lame.DeinitStream(m_stream, m_out.data(), &produced);
    if (flushError != 0)
    {
        CString text;
        text.Format(L"beExitStream failed (%lu)", flushError);
        Warn(text);
    }
    WriteBytes(m_out.data(), produced);

    const LameEncoder::HBE_STREAM closed = m_stream;
    m_lame.CloseStream(m_stream);
    m_stream = nullptr;
    try
    {
        m_file->Close();
    }
    catch (const CFileException& e)
    {
        FailWrite(e);
    }

    // The library reopens the file by a multibyte name to write the tag. It looks for
    // the frames it wrote and shows a message box when they are not there, and its tag
    // would count them all, so a file that missed a write gets no tag and plays the frames
    // it holds (the library frees the stream only in that call).
    if (HasWriteFailed())
        return;
    const std::string tagName = GetTagFileName(m_path);
    if (tagName.empty())
        Warn(L"The MP3 information tag was not written: the file name cannot be passed to the encoder.");
    else if (m_lame.HasInfoTag())
        m_lame.WriteInfoTag(closed, tagName.c_str());
    else
        m_lame.WriteVBRHeader(tagName.c_str());
}
