#include "framework/CArchive.h"

#include <cstring>

#include "framework/TextConvert.h"

namespace
{
const UINT kMinBufSize = 16;
}

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pFile(pFile), m_bLoading((nMode & load) != 0), m_pBuf(nullptr), m_nBufSize(0), m_nCur(0), m_nMax(0)
{
    if (lpBuf && nBufSize >= static_cast<int>(kMinBufSize))
    {
        m_pBuf = static_cast<BYTE*>(lpBuf);
        m_nBufSize = static_cast<UINT>(nBufSize);
    }
    else
    {
        m_nBufSize = nBufSize < static_cast<int>(kMinBufSize) ? kMinBufSize : static_cast<UINT>(nBufSize);
        m_ownBuffer.resize(m_nBufSize);
        m_pBuf = m_ownBuffer.data();
    }
}

CArchive::~CArchive()
{
    Abort();
}

void CArchive::ThrowArchive(int cause) const
{
    throw CArchiveException(cause, m_pFile ? m_pFile->GetFilePath().GetString() : nullptr);
}

void CArchive::RequireMode(bool loading) const
{
    if (!m_pFile || (m_bLoading != 0) != loading)
        ThrowArchive(CArchiveException::genericException);
}

void CArchive::Flush()
{
    if (!m_pFile)
        return;
    if (m_bLoading)
    {
        // Give back what was read ahead, so the file sits where the archive stopped.
        if (m_nMax > m_nCur)
            m_pFile->Seek(-static_cast<LONGLONG>(m_nMax - m_nCur), CFile::current);
        m_nCur = m_nMax = 0;
    }
    else if (m_nCur > 0)
    {
        UINT n = m_nCur;
        m_nCur = 0;
        m_pFile->Write(m_pBuf, n);
    }
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_pFile = nullptr;
    m_nCur = m_nMax = 0;
}

void CArchive::FillBuffer()
{
    m_nCur = 0;
    m_nMax = m_pFile->Read(m_pBuf, m_nBufSize);
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    RequireMode(true);
    BYTE* out = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax)
    {
        if (m_nCur == m_nMax)
        {
            FillBuffer();
            if (m_nMax == 0)
                break;
        }
        UINT n = m_nMax - m_nCur;
        if (n > nMax - done)
            n = nMax - done;
        memcpy(out + done, m_pBuf + m_nCur, n);
        m_nCur += n;
        done += n;
    }
    return done;
}

void CArchive::ReadExact(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        ThrowArchive(CArchiveException::endOfFile);
}

void CArchive::Write(const void* lpBuf, UINT nCount)
{
    RequireMode(false);
    const BYTE* in = static_cast<const BYTE*>(lpBuf);
    while (nCount > 0)
    {
        if (m_nCur == m_nBufSize)
            Flush();
        UINT n = m_nBufSize - m_nCur;
        if (n > nCount)
            n = nCount;
        memcpy(m_pBuf + m_nCur, in, n);
        m_nCur += n;
        in += n;
        nCount -= n;
    }
}

void CArchive::WriteLE(ULONGLONG value, UINT nBytes)
{
    BYTE bytes[8];
    for (UINT i = 0; i < nBytes; ++i)
        bytes[i] = static_cast<BYTE>(value >> (8 * i));
    Write(bytes, nBytes);
}

ULONGLONG CArchive::ReadLE(UINT nBytes)
{
    BYTE bytes[8];
    ReadExact(bytes, nBytes);
    ULONGLONG value = 0;
    for (UINT i = 0; i < nBytes; ++i)
        value |= static_cast<ULONGLONG>(bytes[i]) << (8 * i);
    return value;
}

ULONGLONG CArchive::BytesLeft() const
{
    ULONGLONG length = m_pFile->GetLength();
    ULONGLONG position = m_pFile->GetPosition();
    return (length > position ? length - position : 0) + (m_nMax - m_nCur);
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF)
    {
        WriteLE(dwCount, 2);
        return;
    }
    if ((dwCount >> 16 >> 16) != 0) // only possible where DWORD_PTR is 64-bit
        ThrowArchive(CArchiveException::badIndex);
    WriteLE(0xFFFF, 2);
    WriteLE(dwCount, 4);
}

DWORD_PTR CArchive::ReadCount()
{
    DWORD_PTR count = static_cast<DWORD_PTR>(ReadLE(2));
    if (count == 0xFFFF)
        count = static_cast<DWORD_PTR>(ReadLE(4));
    return count;
}

CArchive& CArchive::operator<<(BYTE by)
{
    WriteLE(by, 1);
    return *this;
}

CArchive& CArchive::operator<<(WORD w)
{
    WriteLE(w, 2);
    return *this;
}

CArchive& CArchive::operator<<(LONG l)
{
    WriteLE(static_cast<DWORD>(l), 4);
    return *this;
}

CArchive& CArchive::operator<<(DWORD dw)
{
    WriteLE(dw, 4);
    return *this;
}

CArchive& CArchive::operator<<(int i)
{
    WriteLE(static_cast<UINT>(i), 4);
    return *this;
}

CArchive& CArchive::operator<<(UINT u)
{
    WriteLE(u, 4);
    return *this;
}

CArchive& CArchive::operator<<(const CString& str)
{
    RequireMode(false);
    ULONGLONG length = static_cast<ULONGLONG>(str.GetLength());
    // FF FE FF: the text that follows is UTF-16.
    WriteLE(0xFF, 1);
    WriteLE(0xFFFE, 2);
    if (length < 0xFF)
        WriteLE(length, 1);
    else
    {
        WriteLE(0xFF, 1);
        if (length < 0xFFFE)
            WriteLE(length, 2);
        else
        {
            WriteLE(0xFFFF, 2);
            WriteLE(length, 4);
        }
    }
    // wchar_t is UTF-16LE on every Windows target.
    Write(str.GetString(), static_cast<UINT>(length * sizeof(wchar_t)));
    return *this;
}

CArchive& CArchive::operator>>(BYTE& by)
{
    by = static_cast<BYTE>(ReadLE(1));
    return *this;
}

CArchive& CArchive::operator>>(WORD& w)
{
    w = static_cast<WORD>(ReadLE(2));
    return *this;
}

CArchive& CArchive::operator>>(LONG& l)
{
    l = static_cast<LONG>(static_cast<DWORD>(ReadLE(4)));
    return *this;
}

CArchive& CArchive::operator>>(DWORD& dw)
{
    dw = static_cast<DWORD>(ReadLE(4));
    return *this;
}

CArchive& CArchive::operator>>(int& i)
{
    i = static_cast<int>(static_cast<UINT>(ReadLE(4)));
    return *this;
}

CArchive& CArchive::operator>>(UINT& u)
{
    u = static_cast<UINT>(ReadLE(4));
    return *this;
}

CArchive& CArchive::operator>>(CString& str)
{
    RequireMode(true);
    bool wide = false;
    ULONGLONG length = ReadLE(1);
    if (length == 0xFF)
    {
        length = ReadLE(2);
        if (length == 0xFFFE)
        {
            // The UTF-16 marker; the real length follows in the same form.
            wide = true;
            length = ReadLE(1);
            if (length == 0xFF)
            {
                length = ReadLE(2);
                if (length == 0xFFFE)
                    ThrowArchive(CArchiveException::badSchema);
            }
        }
        if (length == 0xFFFF)
            length = ReadLE(4);
    }
    // Never trust a length beyond what the file still holds.
    ULONGLONG bytes = length * (wide ? sizeof(wchar_t) : 1);
    if (bytes > BytesLeft())
        ThrowArchive(CArchiveException::endOfFile);
    if (bytes > 0x7FFFFFFF)
        ThrowArchive(CArchiveException::badIndex);

    if (wide)
    {
        CString text;
        ReadExact(text.GetBufferSetLength(static_cast<int>(length)), static_cast<UINT>(bytes));
        text.ReleaseBuffer(static_cast<int>(length));
        str = std::move(text);
    }
    else
    {
        std::vector<char> narrow(static_cast<size_t>(length));
        if (length)
            ReadExact(narrow.data(), static_cast<UINT>(length));
        str = AnsiToWide(narrow.data(), CP_ACP, static_cast<int>(length));
    }
    return *this;
}
