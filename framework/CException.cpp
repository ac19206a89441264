#include "framework/CException.h"

#include <cwchar>

BOOL CException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage(nullptr, lpszError, nMaxError, pnHelpContext);
}

BOOL CException::CopyMessage(LPCWSTR text, LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (lpszError && nMaxError > 0)
        lpszError[0] = L'\0';
    if (!text || !*text || !lpszError || nMaxError == 0)
        return FALSE;
    size_t n = wcslen(text);
    if (n > nMaxError - 1)
        n = nMaxError - 1;
    wmemcpy(lpszError, text, n);
    lpszError[n] = L'\0';
    return TRUE;
}
