#include "framework/TextConvert.h"

CString AnsiToWide(LPCSTR text, UINT codePage, int length)
{
    if (!text || length == 0)
        return CString();
    int needed = ::MultiByteToWideChar(codePage, 0, text, length, nullptr, 0);
    if (needed <= 0)
        return CString();
    CString result;
    LPWSTR buffer = result.GetBuffer(needed);
    int written = ::MultiByteToWideChar(codePage, 0, text, length, buffer, needed);
    // With length -1 the count includes the terminator; ReleaseBuffer(-1) drops it.
    result.ReleaseBuffer(length < 0 ? -1 : (written > 0 ? written : 0));
    return result;
}

std::string WideToAnsi(LPCWSTR text, UINT codePage, char defaultChar, int length)
{
    if (!text || length == 0)
        return std::string();
    char defaultText[2] = {defaultChar, 0};
    // UTF-7/UTF-8 (and a few others) refuse a default character.
    LPCSTR pDefault = (codePage == CP_UTF7 || codePage == CP_UTF8) ? nullptr : defaultText;
    int needed = ::WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, pDefault, nullptr);
    if (needed <= 0 && pDefault && ::GetLastError() == ERROR_INVALID_PARAMETER)
    {
        pDefault = nullptr;
        needed = ::WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    }
    if (needed <= 0)
        return std::string();
    std::string result(static_cast<size_t>(needed), '\0');
    int written = ::WideCharToMultiByte(codePage, 0, text, length, &result[0], needed, pDefault, nullptr);
    result.resize(written > 0 ? static_cast<size_t>(written) : 0);
    if (length < 0 && !result.empty() && result.back() == '\0')
        result.pop_back();
    return result;
}
