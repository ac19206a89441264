#include "app/TextEncoding.h"

TextEncoding::Kind TextEncoding::Decode(const std::vector<BYTE>& bytes, CString& text)
{
    text.Empty();
    const size_t n = bytes.size();
    Kind kind = Kind::NotText;
    if (n >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
    {
        if (DecodeStrictly(bytes.data() + 3, n - 3, CP_UTF8, text))
            kind = Kind::Utf8Marked;
    }
    else if (const int order = Utf16Order(bytes))
    {
        if (DecodeUtf16(bytes, order == 2, text))
            kind = order == 2 ? Kind::Utf16BigEndian : Kind::Utf16LittleEndian;
    }
    else
    {
        bool nul = false;
        bool eightBit = false;
        for (const BYTE b : bytes)
        {
            nul = nul || b == 0;
            eightBit = eightBit || b > 127;
        }
        // Plain ASCII reads the same either way; valid UTF-8 beyond it is hardly ever the
        // code page's text.
        if (nul)
            kind = Kind::NotText;
        else if (eightBit && DecodeStrictly(bytes.data(), n, CP_UTF8, text))
            kind = Kind::Utf8;
        else if (DecodeStrictly(bytes.data(), n, CP_ACP, text))
            kind = Kind::CodePage;
    }
    if (kind == Kind::NotText)
        text.Empty();
    return kind;
}

int TextEncoding::Utf16Order(const std::vector<BYTE>& bytes)
{
    if (bytes.empty() || bytes.size() % 2 != 0)
        return 0;
    size_t little = 0;
    size_t big = 0;
    for (size_t i = 0; i < bytes.size(); i += 2)
    {
        if (bytes[i] == 0 && bytes[i + 1] == 0)
            return 0;
        little += bytes[i + 1] == 0;
        big += bytes[i] == 0;
    }
    const size_t half = bytes.size() / 4;
    return little > half ? 1 : big > half ? 2 : 0;
}

bool TextEncoding::DecodeUtf16(const std::vector<BYTE>& bytes, bool bigEndian, CString& text)
{
    const size_t n = bytes.size() / 2;
    LPWSTR buffer = text.GetBuffer(static_cast<int>(n));
    bool paired = true;
    for (size_t i = 0; i < n; ++i)
    {
        const BYTE first = bytes[2 * i];
        const BYTE second = bytes[2 * i + 1];
        buffer[i] = static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
        // A low surrogate must follow a high one, and only there.
        const bool low = buffer[i] >= 0xDC00 && buffer[i] <= 0xDFFF;
        const bool afterHigh = i > 0 && buffer[i - 1] >= 0xD800 && buffer[i - 1] <= 0xDBFF;
        if (low != afterHigh)
            paired = false;
    }
    if (n > 0 && buffer[n - 1] >= 0xD800 && buffer[n - 1] <= 0xDBFF)
        paired = false;
    text.ReleaseBuffer(static_cast<int>(n));
    return paired;
}

bool TextEncoding::DecodeStrictly(const BYTE* data, size_t n, UINT codePage, CString& text)
{
    text.Empty();
    if (n == 0)
        return true;
    const char* narrow = reinterpret_cast<const char*>(data);
    const int length = static_cast<int>(n);
    const int needed = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, narrow, length, nullptr, 0);
    if (needed <= 0)
        return false;
    LPWSTR buffer = text.GetBuffer(needed);
    const int written = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, narrow, length, buffer, needed);
    text.ReleaseBuffer(written > 0 ? written : 0);
    return written == needed;
}
