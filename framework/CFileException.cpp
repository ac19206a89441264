#include "framework/CFileException.h"

namespace
{
LPCWSTR CauseText(int cause)
{
    switch (cause)
    {
    case CFileException::fileNotFound:
        return L"was not found";
    case CFileException::badPath:
        return L"has an invalid path";
    case CFileException::tooManyOpenFiles:
        return L"could not be opened: too many open files";
    case CFileException::accessDenied:
        return L"could not be accessed: access denied";
    case CFileException::invalidFile:
        return L"is not a valid open file";
    case CFileException::removeCurrentDir:
        return L"is the current folder and cannot be removed";
    case CFileException::directoryFull:
        return L"could not be created: the folder is full";
    case CFileException::badSeek:
        return L"could not be positioned";
    case CFileException::hardIO:
        return L"had a hardware I/O error";
    case CFileException::sharingViolation:
        return L"is in use by another process";
    case CFileException::lockViolation:
        return L"is locked";
    case CFileException::diskFull:
        return L"could not be written: the disk is full";
    case CFileException::endOfFile:
        return L"ended unexpectedly";
    default:
        return L"could not be accessed";
    }
}
} // namespace

CFileException::CFileException(int cause, LONG lOsError, LPCWSTR lpszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName)
{
}

BOOL CFileException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (m_cause == none)
        return CopyMessage(nullptr, lpszError, nMaxError, pnHelpContext);
    CString text;
    text.Format(L"The file %s %s.", m_strFileName.IsEmpty() ? L"(unnamed)" : m_strFileName.GetString(),
                CauseText(m_cause));
    return CopyMessage(text, lpszError, nMaxError, pnHelpContext);
}

int CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError)
    {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
    case ERROR_INVALID_ACCESS:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return removeCurrentDir;
    case ERROR_CANNOT_MAKE:
        return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
        return badSeek;
    case ERROR_NOT_READY:
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
        return lockViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    default:
        return genericException;
    }
}

void CFileException::ThrowOsError(LONG lOsError, LPCWSTR lpszFileName)
{
    throw CFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}
