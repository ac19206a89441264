#include "controls/ReportText.h"

#include <oleauto.h>

#include <cmath>
#include <cwchar>
#include <memory>

CString FormatNumberText(double value, int precision)
{
    CString text;
    if (precision >= 0)
    {
        CString format;
        format.Format(L"%%.%df", precision);
        text.Format(format, value);
        return text;
    }
    text.Format(L"%f", value);
    int end = text.GetLength();
    while (end > 0 && text[end - 1] == L'0')
        --end;
    while (end > 0 && text[end - 1] == L'.')
        --end;
    return text.Left(end);
}

bool ParseNumberText(LPCWSTR text, double* value)
{
    if (!text || !*text)
        return false;
    wchar_t* end = nullptr;
    double v = std::wcstod(text, &end);
    if (end == text)
        return false;
    if (*end != L'\0' && !(*end == L'%' && end[1] == L'\0'))
        return false;
    if (std::isnan(v))
        return false;
    *value = v;
    return true;
}

namespace
{
struct BstrDeleter
{
    void operator()(wchar_t* b) const { ::SysFreeString(b); }
};
using Bstr = std::unique_ptr<wchar_t, BstrDeleter>;
} // namespace

CString FormatDateText(const SYSTEMTIME& when)
{
    // The range a variant date can show; the conversion itself lets some nonsense through.
    if (when.wYear < 100 || when.wYear > 9999 || when.wMonth < 1 || when.wMonth > 12 || when.wDay < 1 ||
        when.wDay > 31 || when.wHour > 23 || when.wMinute > 59 || when.wSecond > 59)
        return CString();
    double date = 0;
    if (!::SystemTimeToVariantTime(const_cast<SYSTEMTIME*>(&when), &date))
        return CString();
    BSTR raw = nullptr;
    if (FAILED(::VarBstrFromDate(date, LOCALE_USER_DEFAULT, 0, &raw)))
        return CString();
    Bstr text(raw);
    return CString(text.get());
}

bool ParseDateText(LPCWSTR text, double* when)
{
    if (!text || !*text)
        return false;
    DATE date = 0;
    if (FAILED(::VarDateFromStr(const_cast<LPWSTR>(text), LOCALE_USER_DEFAULT, 0, &date)))
        return false;
    *when = date;
    return true;
}

std::string ToAnsiText(LPCWSTR text, UINT codePage)
{
    // A multi-byte code page may need more than two bytes per character: ask first.
    int size = ::WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return std::string();
    std::string ansi(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(codePage, 0, text, -1, &ansi[0], size, nullptr, nullptr);
    ansi.resize(static_cast<size_t>(size - 1));
    return ansi;
}
