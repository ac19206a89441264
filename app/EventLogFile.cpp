#include "app/EventLogFile.h"

#include "controls/CStdioFileEx.h"
#include "resources/Version.h"

EventLogFile::EventLogFile(const CString& path) : m_path(path) {}

BOOL EventLogFile::Append(const CString& text) const
{
    CStdioFileEx file;
    if (!file.Open(m_path, CStdioFileEx::modeWriteUnicode | CFile::modeCreate | CFile::modeNoTruncate |
                               CFile::modeWrite))
        return FALSE;
    try
    {
        file.SeekToEnd();
        file.WriteString(text);
        file.Close();
    }
    catch (...)
    {
        file.Abort();
        return FALSE;
    }
    return TRUE;
}

BOOL EventLogFile::WriteBanner(const CString& startLine) const
{
    const CString stars(L'*', 60);
    return Append(stars + L"\r\n" + stars + L"\r\n" +
                  L"***************Quillmoth " QM_VERSION_TEXT "******************\r\n" + startLine +
                  L"\r\n");
}

BOOL EventLogFile::AppendEvent(const CString& stamp, const CString& text) const
{
    return Append(stamp + L" " + text + L"\r\n");
}

BOOL EventLogFile::WriteTrailer() const
{
    return Append(L"\r\n\r\n\r\n\r\n\r\n");
}

CString EventLogFile::FormatStamp(const SYSTEMTIME& t)
{
    CString stamp;
    stamp.Format(L"%02d:%02d:%02d  ", t.wHour, t.wMinute, t.wSecond);
    return stamp;
}

CString EventLogFile::FormatStartLine(const SYSTEMTIME& t)
{
    // Fixed English names: the line reads the same whatever the user's locale.
    static const wchar_t* const kMonths[] = {L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun",
                                             L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec"};
    const wchar_t* month = t.wMonth >= 1 && t.wMonth <= 12 ? kMonths[t.wMonth - 1] : L"???";
    CString line;
    line.Format(L"Starting Time: %02d:%02d:%02d  %s %02d, %d", t.wHour, t.wMinute, t.wSecond, month, t.wDay,
                t.wYear);
    return line;
}
