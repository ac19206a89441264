#include "engine/RecordingWriter.h"

#include <utility>

RecordingWriter::RecordingWriter(WarnFn warn) : m_warn(std::move(warn)) {}

RecordingWriter::~RecordingWriter() = default;

bool RecordingWriter::CreateOutput(const CString& path, CFile& file) const
{
    CFileException error;
    if (file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyNone, &error))
        return true;
    CString text;
    text.Format(L"Error creating file %s", path.GetString());
    Warn(text);
    WarnReason(error);
    return false;
}

void RecordingWriter::DiscardOutput(CFile& file, const CString& path) const
{
    file.Abort();
    ::DeleteFileW(path);
}

void RecordingWriter::FailWrite(const CFileException& error)
{
    if (m_bWriteFailed)
        return;
    m_bWriteFailed = true;
    m_bFull = true;
    Warn(L"Output file write error");
    WarnReason(error);
}

// Shrinking a file needs no room, so this works on the full disk that failed the write; if
// it fails too, the write's own error is the one to report.
void RecordingWriter::CutBack(CFile& file, uint64_t length)
{
    try
    {
        if (file.GetLength() > length)
            file.SetLength(length);
    }
    catch (const CFileException&)
    {
    }
}

void RecordingWriter::WarnReason(const CFileException& error) const
{
    wchar_t reason[512];
    if (error.GetErrorMessage(reason, 512))
        Warn(reason);
}
