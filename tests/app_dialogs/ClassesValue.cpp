#include "tests/app_dialogs/ClassesValue.h"

#include <cstdio>
#include <utility>

ClassesValue::ClassesValue(std::wstring key, const std::wstring& value) : m_key(std::move(key))
{
    wchar_t old[1024] = {};
    LONG size = sizeof(old);
    m_had = ::RegQueryValueW(HKEY_CLASSES_ROOT, m_key.c_str(), old, &size) == ERROR_SUCCESS;
    m_old = old;
    Set(value);
}

ClassesValue::~ClassesValue()
{
    if (m_had)
        Set(m_old);
    else
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, m_key.c_str());
}

void ClassesValue::Set(const std::wstring& value) const
{
    ::RegSetValueW(HKEY_CLASSES_ROOT, m_key.c_str(), REG_SZ, value.c_str(),
                   static_cast<DWORD>(value.size() * sizeof(wchar_t)));
}

std::wstring CatchingCommand(const std::wstring& file)
{
    return L"C:\\windows\\system32\\cmd.exe /c > \"" + file + L"\" echo %1";
}

std::wstring FirstLine(const std::wstring& path)
{
    std::wstring text;
    if (FILE* f = _wfopen(path.c_str(), L"rb"))
    {
        char buffer[1024] = {};
        const size_t n = fread(buffer, 1, sizeof(buffer) - 1, f);
        fclose(f);
        for (size_t i = 0; i < n && buffer[i] != '\r' && buffer[i] != '\n'; ++i)
            text += static_cast<wchar_t>(static_cast<unsigned char>(buffer[i]));
    }
    while (!text.empty() && text.back() == L' ')
        text.pop_back();
    return text;
}
