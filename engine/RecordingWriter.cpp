#include "engine/RecordingWriter.h"

#include <utility>

RecordingWriter::RecordingWriter(WarnFn warn) : m_warn(std::move(warn)) {}

RecordingWriter::~RecordingWriter() = default;

bool RecordingWriter::CreateOutput(const CString& path, CFile& file) const
{
    if (file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyNone))
        return true;
    CString text;
    text.Format(L"Error creating file %s", path.GetString());
    Warn(text);
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
    wchar_t reason[512];
    if (error.GetErrorMessage(reason, 512))
        Warn(reason);
}
