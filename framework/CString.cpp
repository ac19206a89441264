#include "framework/CString.h"

#include <cwchar>
#include <cwctype>
#include <vector>

#include "framework/CWinApp.h"
#include "framework/TextConvert.h"

namespace
{
size_t Len(LPCWSTR psz)
{
    return psz ? wcslen(psz) : 0;
}

bool InSet(wchar_t ch, LPCWSTR set)
{
    return set && ch != 0 && wcschr(set, ch) != nullptr;
}

// Clamps a (first, count) pair to a string of the given length.
void ClampRange(int length, int& first, int& count)
{
    if (first < 0)
        first = 0;
    if (first > length)
        first = length;
    if (count < 0)
        count = 0;
    if (count > length - first)
        count = length - first;
}
} // namespace

CString::CString(CString&& other) noexcept : m_str(std::move(other.m_str))
{
    other.m_str.clear();
}

CString::CString(LPCWSTR psz)
{
    if (psz)
        m_str = psz;
}

CString::CString(LPCSTR psz)
{
    *this = AnsiToWide(psz);
}

CString::CString(wchar_t ch, int nRepeat)
{
    if (nRepeat > 0)
        m_str.assign(static_cast<size_t>(nRepeat), ch);
}

CString::CString(LPCWSTR pch, int nLength)
{
    if (pch && nLength > 0)
        m_str.assign(pch, static_cast<size_t>(nLength));
}

CString& CString::operator=(CString&& other) noexcept
{
    m_str = std::move(other.m_str);
    other.m_str.clear();
    return *this;
}

CString& CString::operator=(LPCWSTR psz)
{
    if (psz)
        m_str = psz; // may point into m_str: std::wstring copes
    else
        m_str.clear();
    return *this;
}

CString& CString::operator=(LPCSTR psz)
{
    return *this = AnsiToWide(psz);
}

CString& CString::operator=(wchar_t ch)
{
    m_str.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const CString& str)
{
    m_str += str.m_str;
    return *this;
}

CString& CString::operator+=(LPCWSTR psz)
{
    if (psz)
        m_str += psz;
    return *this;
}

CString& CString::operator+=(wchar_t ch)
{
    m_str += ch;
    return *this;
}

int CString::Compare(LPCWSTR psz) const
{
    int r = wcscmp(m_str.c_str(), psz ? psz : L"");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(LPCWSTR psz) const
{
    int r = ::CompareStringOrdinal(m_str.c_str(), -1, psz ? psz : L"", -1, TRUE);
    return r == 0 ? 0 : r - CSTR_EQUAL;
}

void CString::Format(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormat(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(LPCWSTR pszFormat, va_list args)
{
    // Formatted apart first: an argument may point into this string.
    CString formatted;
    formatted.AppendFormatV(pszFormat, args);
    m_str.swap(formatted.m_str);
}

void CString::AppendFormatV(LPCWSTR pszFormat, va_list args)
{
    if (!pszFormat)
        return;
    // These two are msvcrt's own (declared _CRTIMP), not the mingw replacements that
    // __USE_MINGW_ANSI_STDIO selects for the standard names: only msvcrt reads %s as
    // wide and %S as narrow in a wide format, as the rest of Windows does.
    va_list count;
    va_copy(count, args);
    int needed = _vscwprintf(pszFormat, count);
    va_end(count);
    if (needed <= 0)
        return;
    std::wstring text(static_cast<size_t>(needed), L'\0');
    int written = _vsnwprintf(&text[0], static_cast<size_t>(needed) + 1, pszFormat, args);
    text.resize(static_cast<size_t>(written < 0 ? 0 : written));
    m_str += text;
}

int CString::Find(wchar_t ch, int iStart) const
{
    if (iStart < 0 || iStart >= GetLength())
        return -1;
    size_t pos = m_str.find(ch, static_cast<size_t>(iStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(LPCWSTR pszSub, int iStart) const
{
    if (!pszSub || iStart < 0 || iStart > GetLength())
        return -1;
    size_t pos = m_str.find(pszSub, static_cast<size_t>(iStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(wchar_t ch) const
{
    size_t pos = m_str.rfind(ch);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(LPCWSTR pszCharSet) const
{
    if (!pszCharSet || !*pszCharSet)
        return -1;
    size_t pos = m_str.find_first_of(pszCharSet);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Replace(wchar_t chOld, wchar_t chNew)
{
    int count = 0;
    for (wchar_t& c : m_str)
        if (c == chOld)
        {
            c = chNew;
            ++count;
        }
    return count;
}

int CString::Replace(LPCWSTR pszOld, LPCWSTR pszNew)
{
    size_t oldLen = Len(pszOld);
    if (oldLen == 0)
        return 0;
    std::wstring from(pszOld), to(pszNew ? pszNew : L""); // either may point into m_str
    std::wstring result;
    int count = 0;
    size_t pos = 0;
    for (size_t hit; (hit = m_str.find(from, pos)) != std::wstring::npos; pos = hit + oldLen)
    {
        result.append(m_str, pos, hit - pos);
        result += to;
        ++count;
    }
    if (count)
    {
        result.append(m_str, pos, std::wstring::npos);
        m_str.swap(result);
    }
    return count;
}

int CString::Remove(wchar_t ch)
{
    size_t before = m_str.size();
    std::wstring kept;
    kept.reserve(before);
    for (wchar_t c : m_str)
        if (c != ch)
            kept += c;
    m_str.swap(kept);
    return static_cast<int>(before - m_str.size());
}

int CString::Insert(int iIndex, wchar_t ch)
{
    return Insert(iIndex, CString(ch, 1));
}

int CString::Insert(int iIndex, LPCWSTR psz)
{
    if (iIndex < 0)
        iIndex = 0;
    if (iIndex > GetLength())
        iIndex = GetLength();
    std::wstring text(psz ? psz : L""); // may point into m_str
    m_str.insert(static_cast<size_t>(iIndex), text);
    return GetLength();
}

int CString::Delete(int iIndex, int nCount)
{
    ClampRange(GetLength(), iIndex, nCount);
    m_str.erase(static_cast<size_t>(iIndex), static_cast<size_t>(nCount));
    return GetLength();
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}
CString& CString::Trim(wchar_t chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}
CString& CString::Trim(LPCWSTR pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}

CString& CString::TrimLeft()
{
    size_t i = 0;
    while (i < m_str.size() && iswspace(m_str[i]))
        ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimLeft(wchar_t chTarget)
{
    size_t i = 0;
    while (i < m_str.size() && m_str[i] == chTarget)
        ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimLeft(LPCWSTR pszTargets)
{
    size_t i = 0;
    while (i < m_str.size() && InSet(m_str[i], pszTargets))
        ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimRight()
{
    size_t n = m_str.size();
    while (n > 0 && iswspace(m_str[n - 1]))
        --n;
    m_str.resize(n);
    return *this;
}

CString& CString::TrimRight(wchar_t chTarget)
{
    size_t n = m_str.size();
    while (n > 0 && m_str[n - 1] == chTarget)
        --n;
    m_str.resize(n);
    return *this;
}

CString& CString::TrimRight(LPCWSTR pszTargets)
{
    size_t n = m_str.size();
    while (n > 0 && InSet(m_str[n - 1], pszTargets))
        --n;
    m_str.resize(n);
    return *this;
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Mid(int iFirst) const
{
    return Mid(iFirst, GetLength());
}

CString CString::Mid(int iFirst, int nCount) const
{
    ClampRange(GetLength(), iFirst, nCount);
    return CString(m_str.c_str() + iFirst, nCount);
}

CString CString::Right(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount > GetLength())
        nCount = GetLength();
    return CString(m_str.c_str() + (GetLength() - nCount), nCount);
}

CString& CString::MakeUpper()
{
    if (!m_str.empty())
        ::CharUpperBuffW(&m_str[0], static_cast<DWORD>(m_str.size()));
    return *this;
}

CString& CString::MakeLower()
{
    if (!m_str.empty())
        ::CharLowerBuffW(&m_str[0], static_cast<DWORD>(m_str.size()));
    return *this;
}

CString CString::SpanExcluding(LPCWSTR pszCharSet) const
{
    if (!pszCharSet || !*pszCharSet)
        return *this;
    return Left(static_cast<int>(wcscspn(m_str.c_str(), pszCharSet)));
}

CString CString::Tokenize(LPCWSTR pszTokens, int& iStart) const
{
    if (iStart >= 0 && iStart < GetLength())
    {
        if (!pszTokens || !*pszTokens)
        {
            CString rest = Mid(iStart);
            iStart = GetLength();
            return rest;
        }
        size_t first = m_str.find_first_not_of(pszTokens, static_cast<size_t>(iStart));
        if (first != std::wstring::npos)
        {
            size_t last = m_str.find_first_of(pszTokens, first);
            if (last == std::wstring::npos)
                last = m_str.size();
            iStart = static_cast<int>(last) + 1;
            return CString(m_str.c_str() + first, static_cast<int>(last - first));
        }
    }
    iStart = -1;
    return CString();
}

LPWSTR CString::GetBuffer()
{
    return &m_str[0];
}

LPWSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize(static_cast<size_t>(nMinBufLength));
    return &m_str[0];
}

LPWSTR CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize(static_cast<size_t>(nNewLength < 0 ? 0 : nNewLength));
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    size_t n = nNewLength < 0 ? wcsnlen(m_str.c_str(), m_str.size()) : static_cast<size_t>(nNewLength);
    if (n < m_str.size())
        m_str.resize(n);
}

BOOL CString::LoadString(UINT nID)
{
    // A zero buffer size makes LoadStringW return a pointer to the resource itself.
    LPCWSTR resource = nullptr;
    int length = ::LoadStringW(AfxGetResourceHandle(), nID, reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || !resource)
    {
        m_str.clear();
        return FALSE;
    }
    m_str.assign(resource, static_cast<size_t>(length));
    return TRUE;
}

CString operator+(const CString& a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, LPCWSTR b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(LPCWSTR a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, wchar_t b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(wchar_t a, const CString& b)
{
    CString r(a, 1);
    r += b;
    return r;
}
