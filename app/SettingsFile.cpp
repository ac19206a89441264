#include "app/SettingsFile.h"

#include <cstdint>
#include <vector>

#include "app/SettingsTable.h"

namespace
{
// Texts are read into a buffer of this many characters, the terminator included.
const DWORD kTextBuffer = 1024;
// Stands for a missing key: no value read from a file can hold these characters.
const wchar_t kMissing[] = L"\x01\x02missing\x02\x01";
} // namespace

SettingsFile::SettingsFile(const CString& path) : m_path(path) {}

BOOL SettingsFile::Exists() const
{
    const DWORD attributes = ::GetFileAttributesW(m_path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL SettingsFile::CreateEmpty() const
{
    HANDLE h = ::CreateFileW(m_path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_FILE_EXISTS && Exists();
    static const BYTE kMark[2] = {0xFF, 0xFE};
    DWORD written = 0;
    const BOOL ok = ::WriteFile(h, kMark, sizeof(kMark), &written, nullptr) && written == sizeof(kMark);
    if (!::CloseHandle(h) || !ok)
    {
        ::DeleteFileW(m_path);
        return FALSE;
    }
    return TRUE;
}

int SettingsFile::ParseProfileInt(LPCWSTR text)
{
    if (!text)
        return 0;
    while (*text == L' ' || *text == L'\t')
        ++text;
    bool negative = false;
    if (*text == L'-' || *text == L'+')
        negative = *text++ == L'-';
    uint32_t value = 0;
    for (; *text >= L'0' && *text <= L'9'; ++text)
        value = value * 10u + static_cast<uint32_t>(*text - L'0');
    if (negative)
        value = 0u - value;
    return static_cast<int>(value);
}

CString SettingsFile::ReadText(LPCWSTR section, LPCWSTR key, LPCWSTR defaultText) const
{
    std::vector<wchar_t> buffer(kTextBuffer, L'\0');
    const DWORD n = ::GetPrivateProfileStringW(section, key, defaultText ? defaultText : L"", buffer.data(),
                                               kTextBuffer, m_path);
    return CString(buffer.data(), static_cast<int>(n < kTextBuffer ? n : kTextBuffer - 1));
}

int SettingsFile::ReadInt(LPCWSTR section, LPCWSTR key, int nDefault) const
{
    // Read as text: the system's integer reader differs between platforms on an empty
    // value, and the sentinel tells a missing key from an empty one.
    const CString text = ReadText(section, key, kMissing);
    if (text == kMissing)
        return nDefault;
    return ParseProfileInt(text);
}

BOOL SettingsFile::WriteInt(LPCWSTR section, LPCWSTR key, int value) const
{
    if (!CreateEmpty())
        return FALSE;
    CString text;
    text.Format(L"%d", value);
    return ::WritePrivateProfileStringW(section, key, text, m_path);
}

BOOL SettingsFile::Load(RecorderSettings& s, const CString& defaultDestDir) const
{
    size_t count = 0;
    const SettingKey* keys = GetSettingKeys(&count);
    for (size_t i = 0; i < count; ++i)
    {
        const SettingKey& k = keys[i];
        switch (k.width)
        {
        case SettingWidth::Int32:
        {
            int value = ReadInt(k.section, k.key, k.defaultValue);
            if (value > k.upperLimit)
                value = k.upperLimit;
            s.*k.p32 = value;
            break;
        }
        case SettingWidth::Int16:
        {
            // The low 16 bits as a signed number; the limit applies to that number.
            int value =
                static_cast<int16_t>(static_cast<uint16_t>(ReadInt(k.section, k.key, k.defaultValue)));
            if (value > k.upperLimit)
                value = k.upperLimit;
            s.*k.p16 = static_cast<int16_t>(value);
            break;
        }
        case SettingWidth::Text:
            s.*k.pText =
                ReadText(k.section, k.key, k.defaultText ? k.defaultText : defaultDestDir.GetString());
            break;
        }
    }
    return TRUE;
}

BOOL SettingsFile::Save(const RecorderSettings& s) const
{
    // The system writes a missing file in the code page (after Reset ALL, say): start it in
    // UTF-16 whatever removed it.
    if (!CreateEmpty())
        return FALSE;
    size_t count = 0;
    const SettingKey* keys = GetSettingKeys(&count);
    for (size_t i = 0; i < count; ++i)
    {
        const SettingKey& k = keys[i];
        BOOL ok = FALSE;
        switch (k.width)
        {
        case SettingWidth::Int32:
            ok = WriteInt(k.section, k.key, s.*k.p32);
            break;
        case SettingWidth::Int16:
            ok = WriteInt(k.section, k.key, s.*k.p16);
            break;
        case SettingWidth::Text:
            ok = ::WritePrivateProfileStringW(k.section, k.key, s.*k.pText, m_path);
            break;
        }
        if (!ok)
            return FALSE;
    }
    return TRUE;
}
