// Failure of an archive: a truncated or malformed stream, or misuse of its direction.
#pragma once

#include "framework/CException.h"
#include "framework/CString.h"

class CArchiveException : public CException
{
public:
    enum
    {
        none = 0,
        genericException = 1,
        endOfFile = 3,
        badIndex = 5,
        badSchema = 7
    };

    explicit CArchiveException(int cause = none, LPCWSTR lpszArchiveName = nullptr);

    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};
