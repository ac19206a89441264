#include "app/IniText.h"

namespace
{
// A line ends at its line feed; the carriage return before it counts as a blank.
const wchar_t kBlanks[] = L" \t\r";
} // namespace

IniText::IniText(const CString& text) : m_text(text) {}

bool IniText::Find(LPCWSTR section, LPCWSTR key, CString& value) const
{
    bool inSection = false;
    for (int start = 0; start < m_text.GetLength();)
    {
        int end = m_text.Find(L'\n', start);
        if (end < 0)
            end = m_text.GetLength();
        CString line = m_text.Mid(start, end - start);
        start = end + 1;
        line.Trim(kBlanks);
        if (line.IsEmpty() || line[0] == L';')
            continue;
        const int close = line.ReverseFind(L']');
        if (line[0] == L'[' && close > 0)
        {
            // The key is looked for in the first section of that name only.
            if (inSection)
                return false;
            inSection = line.Mid(1, close - 1).CompareNoCase(section) == 0;
            continue;
        }
        const int equals = line.Find(L'=');
        if (!inSection || equals < 0 || line.Left(equals).TrimRight(kBlanks).CompareNoCase(key) != 0)
            continue;
        value = line.Mid(equals + 1).TrimLeft(kBlanks);
        const int n = value.GetLength();
        if (n >= 2 && (value[0] == L'"' || value[0] == L'\'') && value[n - 1] == value[0])
            value = value.Mid(1, n - 2);
        return true;
    }
    return false;
}
