// Buffered binary serialisation over a CFile, in one direction (store or load).
//
// Layout, all integers little-endian:
//   BYTE, WORD, LONG, DWORD, int, UINT (and BOOL, which is int): 1, 2, 4, 4, 4, 4 bytes.
//   Count (WriteCount/ReadCount): WORD below 0xFFFF; else WORD 0xFFFF then DWORD.
//   CString: the bytes FF FE FF (marks UTF-16 text), then the length in UTF-16 units:
//     below 0xFF as one BYTE; else BYTE 0xFF and, below 0xFFFE, a WORD; else
//     BYTE 0xFF, WORD 0xFFFF and a DWORD; then the units, no terminator.
//   Loading also takes the same length form without the marker, followed by narrow
//   bytes in the ANSI code page.
// A load that runs past the end of the file, or a string longer than what is left of
// it, throws CArchiveException (endOfFile); file errors throw CFileException.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/CArchiveException.h"
#include "framework/CFile.h"
#include "framework/CString.h"

class CArchive
{
public:
    enum Mode : UINT
    {
        store = 0,
        load = 1
    };

    // lpBuf, when given, must hold nBufSize bytes and outlive the archive.
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
    // Without Close, buffered bytes not yet written are discarded: unwinding from an
    // error never writes.
    ~CArchive();

    BOOL IsLoading() const { return m_bLoading; }
    BOOL IsStoring() const { return !m_bLoading; }
    CFile* GetFile() const { return m_pFile; }

    // Writes what is buffered (store); steps the file back to what was consumed (load).
    void Flush();
    // Flush, then detach from the file (which stays open).
    void Close();
    // Detach without writing.
    void Abort();

    // Read returns the bytes read, fewer only at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nCount);

    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    CArchive& operator<<(BYTE by);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(LONG l);
    CArchive& operator<<(DWORD dw);
    CArchive& operator<<(int i);
    CArchive& operator<<(UINT u);
    CArchive& operator<<(const CString& str);

    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(LONG& l);
    CArchive& operator>>(DWORD& dw);
    CArchive& operator>>(int& i);
    CArchive& operator>>(UINT& u);
    CArchive& operator>>(CString& str);

private:
    void RequireMode(bool loading) const;
    void FillBuffer();
    void ReadExact(void* lpBuf, UINT nCount);
    void WriteLE(ULONGLONG value, UINT nBytes);
    ULONGLONG ReadLE(UINT nBytes);
    ULONGLONG BytesLeft() const;
    [[noreturn]] void ThrowArchive(int cause) const;

    CFile* m_pFile;
    BOOL m_bLoading;
    std::vector<BYTE> m_ownBuffer;
    BYTE* m_pBuf;
    UINT m_nBufSize;
    UINT m_nCur; // next byte to read or write
    UINT m_nMax; // end of the valid bytes (load)
};
