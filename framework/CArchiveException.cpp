#include "framework/CArchiveException.h"

CArchiveException::CArchiveException(int cause, LPCWSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    LPCWSTR what;
    switch (m_cause)
    {
    case none:
        return CopyMessage(nullptr, lpszError, nMaxError, pnHelpContext);
    case endOfFile:
        what = L"ends unexpectedly";
        break;
    case badIndex:
        what = L"holds an invalid count or index";
        break;
    case badSchema:
        what = L"has an unknown format";
        break;
    default:
        what = L"could not be read or written";
        break;
    }
    CString text;
    text.Format(L"The file %s %s.", m_strFileName.IsEmpty() ? L"(unnamed)" : m_strFileName.GetString(), what);
    return CopyMessage(text, lpszError, nMaxError, pnHelpContext);
}
