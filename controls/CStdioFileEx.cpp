#include "controls/CStdioFileEx.h"

#include <cstring>
#include <new>

#include "framework/TextConvert.h"

namespace
{
constexpr size_t kLineBuffer = 4096;
constexpr UINT kUtf8 = CP_UTF8;
} // namespace

CStdioFileEx::CStdioFileEx()
    : m_bUnicodeText(FALSE), m_nOpenFlags(0), m_nCodePage(kAnsiCodePage), m_chReplacement('#'),
      m_bWriteMark(TRUE), m_wideLine(kLineBuffer), m_narrowLine(kLineBuffer), m_bAtStart(TRUE)
{
}

int CStdioFileEx::WideToMultiByte(LPCWSTR text, char* out, int outBytes, int codePage, char replacement)
{
    return ::WideToMultiByte(text, out, outBytes, codePage, replacement);
}

int CStdioFileEx::GetRequiredMultiByteLength(LPCWSTR text, int codePage)
{
    return ::GetRequiredMultiByteLength(text, codePage);
}

int CStdioFileEx::MultiByteToWide(LPCSTR text, wchar_t* out, int outChars, int codePage)
{
    return ::MultiByteToWide(text, out, outChars, codePage);
}

int CStdioFileEx::GetRequiredWideLength(LPCSTR text, int codePage)
{
    return ::GetRequiredWideLength(text, codePage);
}

BOOL CStdioFileEx::Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    m_bUnicodeText = (nOpenFlags & modeWriteUnicode) != 0;
    // No newline translation: lines keep the "\r\n" their writers give them.
    m_nOpenFlags = (nOpenFlags & ~(modeWriteUnicode | typeText)) | typeBinary;
    m_bAtStart = TRUE;
    if (!CStdioFile::Open(lpszFileName, m_nOpenFlags, pError))
        return FALSE;
    if (!(m_nOpenFlags & (modeCreate | modeWrite)))
    {
        BYTE mark[2] = {};
        const UINT got = CStdioFile::Read(mark, 2);
        m_bUnicodeText = got == 2 && mark[0] == 0xFF && mark[1] == 0xFE;
        Seek(0, begin);
    }
    return TRUE;
}

ULONGLONG CStdioFileEx::Seek(LONGLONG lOff, UINT nFrom)
{
    m_bAtStart = TRUE;
    return CStdioFile::Seek(lOff, nFrom);
}

void CStdioFileEx::WriteString(LPCWSTR lpsz)
{
    if (!lpsz)
        return;
    const UINT cp = ::ResolveCodePage(m_nCodePage);
    // A mark belongs only at the start of an empty file, never before appended text.
    if (m_bWriteMark && (!m_pStream || CFile::GetLength() == 0))
    {
        static const BYTE utf16Mark[2] = {0xFF, 0xFE};
        static const BYTE utf8Mark[3] = {0xEF, 0xBB, 0xBF};
        if (m_bUnicodeText)
            CFile::Write(utf16Mark, sizeof(utf16Mark));
        else if (cp == kUtf8)
            CFile::Write(utf8Mark, sizeof(utf8Mark));
    }
    if (m_bUnicodeText)
    {
        const size_t length = wcslen(lpsz);
        if (length)
            CFile::Write(lpsz, static_cast<UINT>(length * sizeof(wchar_t)));
        return;
    }
    const int needed = GetRequiredMultiByteLength(lpsz, static_cast<int>(cp));
    if (needed <= 0)
        return;
    if (static_cast<size_t>(needed) > m_narrowLine.size())
        m_narrowLine.resize(static_cast<size_t>(needed));
    const int bytes = WideToMultiByte(lpsz, m_narrowLine.data(), static_cast<int>(m_narrowLine.size()),
                                      static_cast<int>(cp), m_chReplacement);
    if (bytes > 0)
        CFile::Write(m_narrowLine.data(), static_cast<UINT>(bytes));
}

void CStdioFileEx::SkipMark()
{
    const UINT cp = ::ResolveCodePage(m_nCodePage);
    if (!m_bUnicodeText && cp != kUtf8)
        return;
    const UINT size = m_bUnicodeText ? 2 : 3;
    BYTE mark[3] = {};
    const UINT got = CStdioFile::Read(mark, size);
    const bool present = m_bUnicodeText ? got == 2 && mark[0] == 0xFF && mark[1] == 0xFE
                                        : got == 3 && mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF;
    // Text that merely starts the file stays part of the first line.
    if (!present)
        CStdioFile::Seek(0, begin);
}

BOOL CStdioFileEx::ReadString(CString& rString)
{
    rString.Empty();
    if (!m_pStream)
        return FALSE;
    try
    {
        return ReadLine(rString);
    }
    catch (const std::bad_alloc&)
    {
        // A line too long for the memory there is reads like the end of the file.
        rString.Empty();
        return FALSE;
    }
}

BOOL CStdioFileEx::ReadLine(CString& rString)
{
    if (m_bAtStart && GetPosition() == 0)
        SkipMark();

    bool gotAny = false;
    bool complete = false;
    if (m_bUnicodeText)
    {
        std::wstring line;
        while (!complete && fgetws(m_wideLine.data(), static_cast<int>(m_wideLine.size()), m_pStream))
        {
            gotAny = true;
            line += m_wideLine.data();
            complete = !line.empty() && line.back() == L'\n';
        }
        if (complete)
            line.pop_back();
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        rString = line.c_str();
    }
    else
    {
        std::string line;
        while (!complete && fgets(m_narrowLine.data(), static_cast<int>(m_narrowLine.size()), m_pStream))
        {
            gotAny = true;
            line += m_narrowLine.data();
            complete = !line.empty() && line.back() == '\n';
        }
        if (complete)
            line.pop_back();
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const int needed = GetRequiredWideLength(line.c_str(), m_nCodePage);
        if (needed > 0)
        {
            if (static_cast<size_t>(needed) > m_wideLine.size())
                m_wideLine.resize(static_cast<size_t>(needed));
            MultiByteToWide(line.c_str(), m_wideLine.data(), static_cast<int>(m_wideLine.size()),
                            m_nCodePage);
            rString = m_wideLine.data();
        }
    }
    if (!gotAny)
    {
        rString.Empty();
        return FALSE;
    }
    m_bAtStart = FALSE;
    return TRUE;
}
