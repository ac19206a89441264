// UTF-16 string with the interface program code expects from the framework's string.
// Indexes and lengths are in UTF-16 units. A null LPCWSTR is treated as an empty string.
//
// Format/AppendFormat follow the Windows CRT: in a wide format %s is a wide string and %S
// a narrow one. A CString cannot be passed through "..." itself: pass GetString() or
// cast to LPCWSTR.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <string>

class CString
{
public:
    CString() = default;
    CString(const CString& other) = default;
    CString(CString&& other) noexcept;
    CString(LPCWSTR psz);
    CString(LPCSTR psz); // converted with the ANSI code page
    CString(wchar_t ch, int nRepeat = 1);
    CString(LPCWSTR pch, int nLength);
    ~CString() = default;

    CString& operator=(const CString& other) = default;
    CString& operator=(CString&& other) noexcept;
    CString& operator=(LPCWSTR psz);
    CString& operator=(LPCSTR psz);
    CString& operator=(wchar_t ch);

    operator LPCWSTR() const { return m_str.c_str(); }
    LPCWSTR GetString() const { return m_str.c_str(); }

    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    wchar_t GetAt(int nIndex) const { return m_str.at(static_cast<size_t>(nIndex)); }
    void SetAt(int nIndex, wchar_t ch) { m_str.at(static_cast<size_t>(nIndex)) = ch; }
    wchar_t operator[](int nIndex) const { return GetAt(nIndex); }

    CString& operator+=(const CString& str);
    CString& operator+=(LPCWSTR psz);
    CString& operator+=(wchar_t ch);

    // wcscmp-style results: < 0, 0, > 0. CompareNoCase folds case over all of Unicode.
    int Compare(LPCWSTR psz) const;
    int CompareNoCase(LPCWSTR psz) const;

    void Format(LPCWSTR pszFormat, ...);
    void AppendFormat(LPCWSTR pszFormat, ...);
    void FormatV(LPCWSTR pszFormat, va_list args);
    void AppendFormatV(LPCWSTR pszFormat, va_list args);

    // -1 when not found or when iStart is out of range.
    int Find(wchar_t ch, int iStart = 0) const;
    int Find(LPCWSTR pszSub, int iStart = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(LPCWSTR pszCharSet) const;

    // Return the number of replacements or removals.
    int Replace(wchar_t chOld, wchar_t chNew);
    int Replace(LPCWSTR pszOld, LPCWSTR pszNew);
    int Remove(wchar_t ch);
    // Return the new length; out-of-range positions are clamped.
    int Insert(int iIndex, wchar_t ch);
    int Insert(int iIndex, LPCWSTR psz);
    int Delete(int iIndex, int nCount = 1);

    // White space is what iswspace says it is.
    CString& Trim();
    CString& Trim(wchar_t chTarget);
    CString& Trim(LPCWSTR pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t chTarget);
    CString& TrimLeft(LPCWSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(wchar_t chTarget);
    CString& TrimRight(LPCWSTR pszTargets);

    // Counts and positions are clamped to the string.
    CString Left(int nCount) const;
    CString Mid(int iFirst) const;
    CString Mid(int iFirst, int nCount) const;
    CString Right(int nCount) const;

    CString& MakeUpper();
    CString& MakeLower();

    // The leading part that holds none of the characters in pszCharSet.
    CString SpanExcluding(LPCWSTR pszCharSet) const;
    // Next token from iStart, skipping leading delimiters; advances iStart past the
    // token's delimiter. At the end returns an empty string and sets iStart to -1.
    CString Tokenize(LPCWSTR pszTokens, int& iStart) const;

    // A writable buffer of at least nMinBufLength units (plus the terminator); call
    // ReleaseBuffer before any other member. ReleaseBuffer(-1) takes the length up to
    // the first terminator.
    LPWSTR GetBuffer();
    LPWSTR GetBuffer(int nMinBufLength);
    LPWSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);

    // From the string table of the resource module; FALSE (and empty) when missing.
    BOOL LoadString(UINT nID);

private:
    std::wstring m_str;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, LPCWSTR b);
CString operator+(LPCWSTR a, const CString& b);
CString operator+(const CString& a, wchar_t b);
CString operator+(wchar_t a, const CString& b);

inline bool operator==(const CString& a, const CString& b)
{
    return a.Compare(b) == 0;
}
inline bool operator==(const CString& a, LPCWSTR b)
{
    return a.Compare(b) == 0;
}
inline bool operator==(LPCWSTR a, const CString& b)
{
    return b.Compare(a) == 0;
}
inline bool operator!=(const CString& a, const CString& b)
{
    return a.Compare(b) != 0;
}
inline bool operator!=(const CString& a, LPCWSTR b)
{
    return a.Compare(b) != 0;
}
inline bool operator!=(LPCWSTR a, const CString& b)
{
    return b.Compare(a) != 0;
}
inline bool operator<(const CString& a, const CString& b)
{
    return a.Compare(b) < 0;
}
inline bool operator<(const CString& a, LPCWSTR b)
{
    return a.Compare(b) < 0;
}
inline bool operator<(LPCWSTR a, const CString& b)
{
    return b.Compare(a) > 0;
}
inline bool operator>(const CString& a, const CString& b)
{
    return a.Compare(b) > 0;
}
inline bool operator>(const CString& a, LPCWSTR b)
{
    return a.Compare(b) > 0;
}
inline bool operator>(LPCWSTR a, const CString& b)
{
    return b.Compare(a) < 0;
}
inline bool operator<=(const CString& a, const CString& b)
{
    return a.Compare(b) <= 0;
}
inline bool operator<=(const CString& a, LPCWSTR b)
{
    return a.Compare(b) <= 0;
}
inline bool operator<=(LPCWSTR a, const CString& b)
{
    return b.Compare(a) >= 0;
}
inline bool operator>=(const CString& a, const CString& b)
{
    return a.Compare(b) >= 0;
}
inline bool operator>=(const CString& a, LPCWSTR b)
{
    return a.Compare(b) >= 0;
}
inline bool operator>=(LPCWSTR a, const CString& b)
{
    return b.Compare(a) <= 0;
}
