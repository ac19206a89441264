// Text file whose lines are UTF-16 in the program and, on disk, either UTF-16LE with a
// byte-order mark (modeWriteUnicode) or text in a code page (the ANSI code page unless
// set otherwise; UTF-8 gets its mark). Lines are written as given: callers end them.
#pragma once

#include <string>
#include <vector>

#include "framework/CStdioFile.h"
#include "framework/TextConvert.h"

class CStdioFileEx : public CStdioFile
{
public:
    // ORed with the CFile flags: the file's text is UTF-16LE.
    static constexpr UINT modeWriteUnicode = 0x200000;
    static constexpr int kAnsiCodePage = ::kAnsiCodePage;

    CStdioFileEx();
    ~CStdioFileEx() override = default;

    // Writing: the flag decides the encoding. Reading: the file's mark decides.
    BOOL Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    void WriteString(LPCWSTR lpsz) override;
    BOOL ReadString(CString& rString) override;
    using CStdioFile::ReadString;

    // -1 is the system's ANSI code page, asked at each conversion; 65001 is UTF-8.
    void SetCodePage(int codePage) { m_nCodePage = codePage; }
    BOOL IsUnicodeText() const { return m_bUnicodeText; }

    // The conversions of framework/TextConvert.h, under the names the file's users know.
    // Bytes written without the terminator; 0 (and a zeroed buffer) when the conversion
    // fails or an argument is unusable.
    static int WideToMultiByte(LPCWSTR text, char* out, int outBytes, int codePage = kAnsiCodePage,
                               char replacement = '#');
    // Bytes needed, terminator included; 0 on failure.
    static int GetRequiredMultiByteLength(LPCWSTR text, int codePage = kAnsiCodePage);
    // Wide characters written without the terminator; 0 (and a zeroed buffer) on failure.
    static int MultiByteToWide(LPCSTR text, wchar_t* out, int outChars, int codePage = kAnsiCodePage);
    // Wide characters needed, terminator included; 0 on failure.
    static int GetRequiredWideLength(LPCSTR text, int codePage = kAnsiCodePage);

private:
    void SkipMark();
    BOOL ReadLine(CString& rString);

    BOOL m_bUnicodeText;
    UINT m_nOpenFlags;
    int m_nCodePage;
    char m_chReplacement;
    BOOL m_bWriteMark;
    // Working buffers: lines of up to 4095 units convert without allocating.
    std::vector<wchar_t> m_wideLine;
    std::vector<char> m_narrowLine;
    BOOL m_bAtStart;
};
