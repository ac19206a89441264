// Base of the framework's exceptions. They are thrown by value and caught by const
// reference: catch (const CException& e).
#pragma once

#include <windows.h>

class CException
{
public:
    CException() = default;
    CException(const CException&) = default;
    CException& operator=(const CException&) = default;
    virtual ~CException() = default;

    // Copies a description into lpszError (at most nMaxError units, terminated).
    // pnHelpContext, when given, is set to 0. FALSE when there is nothing to say.
    virtual BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;

protected:
    static BOOL CopyMessage(LPCWSTR text, LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext);
};
