#include "framework/TextConvert.h"

#include <cstring>

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

UINT ResolveCodePage(int codePage)
{
    // Resolved first: the ANSI code page itself may be UTF-8.
    return codePage == kAnsiCodePage ? GetACP() : static_cast<UINT>(codePage);
}

int GetRequiredMultiByteLength(LPCWSTR text, int codePage)
{
    if (!text)
        return 0;
    const UINT cp = ResolveCodePage(codePage);
    const DWORD flags = cp == CP_UTF8 ? 0 : WC_COMPOSITECHECK | WC_SEPCHARS;
    return WideCharToMultiByte(cp, flags, text, -1, nullptr, 0, nullptr, nullptr);
}

int WideToMultiByte(LPCWSTR text, char* out, int outBytes, int codePage, char replacement)
{
    if (!text || !out || outBytes <= 0)
        return 0;
    std::memset(out, 0, static_cast<size_t>(outBytes));
    const UINT cp = ResolveCodePage(codePage);
    int written;
    if (cp == CP_UTF8)
    {
        written = WideCharToMultiByte(cp, 0, text, -1, out, outBytes, nullptr, nullptr);
    }
    else
    {
        const char defaultChar[2] = {replacement, 0};
        BOOL usedDefault = FALSE;
        written = WideCharToMultiByte(cp, WC_COMPOSITECHECK | WC_SEPCHARS, text, -1, out, outBytes,
                                      defaultChar, &usedDefault);
    }
    if (written <= 0)
    {
        // A failed conversion may have left part of the text behind.
        std::memset(out, 0, static_cast<size_t>(outBytes));
        return 0;
    }
    return written - 1;
}

int GetRequiredWideLength(LPCSTR text, int codePage)
{
    if (!text)
        return 0;
    const UINT cp = ResolveCodePage(codePage);
    return MultiByteToWideChar(cp, cp == CP_UTF8 ? 0 : MB_PRECOMPOSED, text, -1, nullptr, 0);
}

int MultiByteToWide(LPCSTR text, wchar_t* out, int outChars, int codePage)
{
    if (!text || !out || outChars <= 0)
        return 0;
    std::memset(out, 0, static_cast<size_t>(outChars) * sizeof(wchar_t));
    const UINT cp = ResolveCodePage(codePage);
    const int written = MultiByteToWideChar(cp, cp == CP_UTF8 ? 0 : MB_PRECOMPOSED, text, -1, out, outChars);
    if (written <= 0)
    {
        std::memset(out, 0, static_cast<size_t>(outChars) * sizeof(wchar_t));
        return 0;
    }
    return written - 1;
}
