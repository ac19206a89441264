#include "framework/CStdioFile.h"

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cwchar>

CStdioFile::CStdioFile() : m_pStream(nullptr) {}

CStdioFile::CStdioFile(LPCWSTR lpszFileName, UINT nOpenFlags) : m_pStream(nullptr)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        throw error;
}

CStdioFile::~CStdioFile()
{
    // fclose also closes the handle, which the base must then not close again.
    if (m_pStream)
        fclose(m_pStream);
    m_pStream = nullptr;
    m_hFile = INVALID_HANDLE_VALUE;
}

BOOL CStdioFile::Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_pStream)
        Abort();
    if (!CFile::Open(lpszFileName, nOpenFlags, pError))
        return FALSE;

    // The handle already carries creation and truncation; the stream only needs the
    // direction and the newline mode.
    int osFlags;
    const wchar_t* mode;
    switch (nOpenFlags & 3)
    {
    case modeWrite:
        osFlags = _O_WRONLY;
        mode = (nOpenFlags & typeBinary) ? L"wb" : L"wt";
        break;
    case modeReadWrite:
        osFlags = _O_RDWR;
        mode = (nOpenFlags & typeBinary) ? L"r+b" : L"r+t";
        break;
    default:
        osFlags = _O_RDONLY;
        mode = (nOpenFlags & typeBinary) ? L"rb" : L"rt";
        break;
    }
    osFlags |= (nOpenFlags & typeBinary) ? _O_BINARY : _O_TEXT;

    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(m_hFile), osFlags);
    FILE* stream = fd >= 0 ? _wfdopen(fd, mode) : nullptr;
    if (!stream)
    {
        if (fd >= 0)
            _close(fd); // closes the handle too
        else
            ::CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
        if (pError)
        {
            pError->m_cause = CFileException::tooManyOpenFiles;
            pError->m_lOsError = ERROR_TOO_MANY_OPEN_FILES;
            pError->m_strFileName = m_strFileName;
        }
        return FALSE;
    }
    m_pStream = stream;
    return TRUE;
}

void CStdioFile::ThrowStreamError() const
{
    LONG osError = static_cast<LONG>(_doserrno);
    if (osError == 0)
        osError = ERROR_GEN_FAILURE;
    CFileException::ThrowOsError(osError, m_strFileName);
}

BOOL CStdioFile::ReadString(CString& rString)
{
    rString.Empty();
    if (!m_pStream)
        return FALSE;
    wchar_t chunk[256];
    bool gotAny = false;
    while (fgetws(chunk, 256, m_pStream))
    {
        gotAny = true;
        size_t n = wcslen(chunk);
        if (n > 0 && chunk[n - 1] == L'\n')
        {
            rString += CString(chunk, static_cast<int>(n - 1));
            return TRUE;
        }
        rString += CString(chunk, static_cast<int>(n));
    }
    if (ferror(m_pStream))
    {
        clearerr(m_pStream);
        ThrowStreamError();
    }
    return gotAny;
}

LPWSTR CStdioFile::ReadString(LPWSTR lpsz, UINT nMax)
{
    if (!m_pStream || !lpsz || nMax == 0)
        return nullptr;
    LPWSTR result = fgetws(lpsz, static_cast<int>(nMax), m_pStream);
    if (!result && ferror(m_pStream))
    {
        clearerr(m_pStream);
        ThrowStreamError();
    }
    return result;
}

void CStdioFile::WriteString(LPCWSTR lpsz)
{
    if (!lpsz || !*lpsz)
        return;
    if (fputws(lpsz, m_pStream) == WEOF)
        ThrowStreamError();
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    size_t read = fread(lpBuf, 1, nCount, m_pStream);
    if (read < nCount && ferror(m_pStream))
    {
        clearerr(m_pStream);
        ThrowStreamError();
    }
    return static_cast<UINT>(read);
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (fwrite(lpBuf, 1, nCount, m_pStream) != nCount)
        throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    int origin = nFrom == begin ? SEEK_SET : nFrom == current ? SEEK_CUR : SEEK_END;
    if (nFrom > end || _fseeki64(m_pStream, lOff, origin) != 0)
        throw CFileException(CFileException::badSeek, ERROR_SEEK, m_strFileName);
    return GetPosition();
}

ULONGLONG CStdioFile::GetLength() const
{
    // Whatever the stream still buffers belongs to the file's length.
    if (m_pStream)
        fflush(m_pStream);
    return CFile::GetLength();
}

ULONGLONG CStdioFile::GetPosition() const
{
    __int64 position = _ftelli64(m_pStream);
    if (position < 0)
        throw CFileException(CFileException::badSeek, ERROR_SEEK, m_strFileName);
    return static_cast<ULONGLONG>(position);
}

void CStdioFile::Flush()
{
    if (m_pStream && fflush(m_pStream) != 0)
        ThrowStreamError();
}

void CStdioFile::Close()
{
    if (!m_pStream)
    {
        CFile::Close();
        return;
    }
    FILE* stream = m_pStream;
    m_pStream = nullptr;
    m_hFile = INVALID_HANDLE_VALUE;
    if (fclose(stream) != 0)
        ThrowStreamError();
}

void CStdioFile::Abort()
{
    if (m_pStream)
        fclose(m_pStream);
    m_pStream = nullptr;
    m_hFile = INVALID_HANDLE_VALUE;
    CFile::Abort();
}
