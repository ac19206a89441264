#include "app/FinishedRecording.h"

#include "app/DurationText.h"
#include "controls/ReportText.h"
#include "engine/CaptureBlock.h"
#include "engine/FileNaming.h"

FinishedRecording::FinishedRecording(const CString& path, int64_t samples, int channels, int blockFrames,
                                     int outputFormat)
    : m_path(path), m_samples(samples), m_channels(channels), m_blockFrames(blockFrames),
      m_outputFormat(outputFormat)
{
}

bool FinishedRecording::IsTooShort() const
{
    const int64_t block = static_cast<int64_t>(m_channels) * m_blockFrames;
    return m_samples <= block || block <= 0;
}

uint64_t FinishedRecording::GetSeconds() const
{
    const double perSecond = static_cast<double>(m_channels) * m_blockFrames * kBlocksPerSecond;
    if (perSecond <= 0 || m_samples <= 0)
        return 0;
    return static_cast<uint64_t>(static_cast<double>(m_samples) / perSecond + 0.5);
}

CString FinishedRecording::GetName() const
{
    return m_path.Mid(m_path.ReverseFind(L'\\') + 1);
}

CString FinishedRecording::GetFolder() const
{
    return m_path.Left(m_path.ReverseFind(L'\\') + 1);
}

CString FinishedRecording::GetFormatText() const
{
    const OutputFormatInfo* info = FindOutputFormat(m_outputFormat);
    return info ? CString(info->name) : CString();
}

RecordedFileRow FinishedRecording::MakeRow(uint64_t fileBytes, const SYSTEMTIME& added) const
{
    RecordedFileRow row;
    row.cells[0] = GetName();
    row.cells[1] = GetFolder();
    row.cells[2] = GetFormatText();
    row.cells[3] = DurationText::Format(GetSeconds());
    row.cells[4] = FormatDateText(added);
    row.cells[5] = FormatSize(fileBytes);
    row.nData = 1;
    return row;
}

CString FinishedRecording::FormatSize(uint64_t bytes)
{
    CString text;
    text.Format(L"%.3f", static_cast<double>(bytes) / 1048576.0);
    return text;
}

bool FinishedRecording::SamePath(const CString& a, const CString& b)
{
    // The file system's own case rules, not the locale's.
    return ::CompareStringOrdinal(a, a.GetLength(), b, b.GetLength(), TRUE) == CSTR_EQUAL;
}
