// Text file: a CFile whose handle also carries a CRT stream (m_pStream) for line reading
// and writing. Read, Write, Seek, GetPosition and Flush go through the stream; a
// qualified CFile::Write goes straight to the handle. typeBinary opens the stream without
// newline translation (and wide lines are then raw UTF-16 units); otherwise it is text.
#pragma once

#include <cstdio>

#include "framework/CFile.h"

class CStdioFile : public CFile
{
public:
    CStdioFile();
    CStdioFile(LPCWSTR lpszFileName, UINT nOpenFlags); // throws CFileException
    ~CStdioFile() override;

    BOOL Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;

    // The next line without its "\n"; FALSE (and empty) at the end of the file.
    virtual BOOL ReadString(CString& rString);
    // fgetws: at most nMax - 1 units, the "\n" kept; nullptr at the end of the file.
    virtual LPWSTR ReadString(LPWSTR lpsz, UINT nMax);
    virtual void WriteString(LPCWSTR lpsz);

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override;
    ULONGLONG GetPosition() const override;
    void Flush() override;
    void Close() override;
    void Abort() override;

    FILE* m_pStream;

private:
    [[noreturn]] void ThrowStreamError() const;
};
