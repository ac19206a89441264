// Binary file over a Win32 file handle. Open reports failure through its result (and the
// optional exception record); every other operation throws CFileException on failure.
#pragma once

#include <windows.h>

#include "framework/CFileException.h"
#include "framework/CString.h"

class CFile
{
public:
    enum OpenFlags : UINT
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,  // only meaningful to text files
        typeBinary = 0x8000 // only meaningful to text files
    };
    enum SeekPosition : UINT
    {
        begin = 0,
        current = 1,
        end = 2
    };

    CFile();
    // Opens or throws CFileException.
    CFile(LPCWSTR lpszFileName, UINT nOpenFlags);
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    // Closes without throwing.
    virtual ~CFile();

    // CreateFileW from the flags: modeCreate gives CREATE_ALWAYS, with modeNoTruncate
    // OPEN_ALWAYS, otherwise OPEN_EXISTING. A file already open is closed first.
    virtual BOOL Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);

    // Bytes read; 0 at the end of the file.
    virtual UINT Read(void* lpBuf, UINT nCount);
    // Writes all of it: a short write throws diskFull.
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetLength() const;
    // Moves the position to the new end.
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual ULONGLONG GetPosition() const;
    virtual void Flush();
    virtual void Close();
    // Closes, ignoring any error.
    virtual void Abort();

    // Full path as opened, and its last component.
    CString GetFilePath() const { return m_strFileName; }
    CString GetFileName() const;

    static void Remove(LPCWSTR lpszFileName);
    static void Rename(LPCWSTR lpszOldName, LPCWSTR lpszNewName);

    operator HANDLE() const { return m_hFile; }

    HANDLE m_hFile;

protected:
    [[noreturn]] void ThrowLastError() const;

    CString m_strFileName;
};
