#include "app/DurationText.h"

#include <cwctype>

CString DurationText::Format(uint64_t seconds)
{
    CString text;
    text.Format(L"%02llu:%02u:%02u", static_cast<unsigned long long>(seconds / 3600),
                static_cast<unsigned>(seconds / 60 % 60), static_cast<unsigned>(seconds % 60));
    return text;
}

namespace
{
// Reads the digits at text[i...], at most maxDigits of them (0: any number).
bool ReadNumber(LPCWSTR text, int& i, int maxDigits, uint64_t& value)
{
    const int start = i;
    value = 0;
    while (std::iswdigit(text[i]))
    {
        if (value > 0xFFFFFFFFFFull)
            return false; // far beyond any recording
        value = value * 10 + static_cast<uint64_t>(text[i] - L'0');
        ++i;
    }
    const int digits = i - start;
    return digits > 0 && (maxDigits == 0 || digits == maxDigits);
}
} // namespace

bool DurationText::Parse(LPCWSTR text, uint64_t* seconds)
{
    if (!text)
        return false;
    int i = 0;
    uint64_t hours = 0, minutes = 0, secs = 0;
    if (!ReadNumber(text, i, 0, hours) || text[i++] != L':' || !ReadNumber(text, i, 2, minutes) ||
        text[i++] != L':' || !ReadNumber(text, i, 2, secs) || text[i] != L'\0' || minutes > 59 || secs > 59)
        return false;
    *seconds = (hours * 60 + minutes) * 60 + secs;
    return true;
}
