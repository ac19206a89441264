#include "engine/WavRecordingWriter.h"

#include <utility>

#include "engine/FormatSupportTable.h"

WavRecordingWriter::WavRecordingWriter(const RecorderSettings& settings, uint64_t dataLimit, WarnFn warn)
    : RecordingWriter(std::move(warn)),
      m_wav(settings.nChannels, static_cast<uint32_t>(kSampleRates[settings.nSampleRateIndex]),
            settings.nWavSubFormat == 0 ? 8 : 16, dataLimit),
      m_nBytesPerSample(settings.nWavSubFormat == 0 ? 1 : 2)
{
}

bool WavRecordingWriter::Open(const CString& path, std::unique_ptr<CFile> file)
{
    if (!CreateOutput(path, *file))
        return false;
    CFile& output = *file; // the WavWriter's from here on, and it lives as long as this
    try
    {
        m_wav.Start(std::move(file));
    }
    catch (const CFileException& e)
    {
        FailWrite(e);
        DiscardOutput(output, path);
        return false;
    }
    return true;
}

void WavRecordingWriter::Write(const int32_t* samples, unsigned count)
{
    UINT written = 0;
    try
    {
        written = m_wav.Write(samples, count);
    }
    catch (const CFileException& e)
    {
        // A full disk: the header already holds the frames on disk. The file is finished
        // with them, so that it is listed.
        m_nSamplesOnDisk = static_cast<int64_t>(m_wav.GetDataBytes() / m_nBytesPerSample);
        FailWrite(e);
        return;
    }
    m_nSamplesOnDisk = static_cast<int64_t>(m_wav.GetDataBytes() / m_nBytesPerSample);
    if (written == count)
        return;
    // The sizes must still fit the header: end here, the rest is drained unused.
    SetFull();
    Warn(L"The WAV file has reached its size limit of 4 GB: recording stopped.");
}

void WavRecordingWriter::Finish()
{
    try
    {
        m_wav.Finish();
    }
    catch (const CFileException&)
    {
        if (!HasWriteFailed())
            throw;
        // The sizes written after the failed write stand.
    }
}
