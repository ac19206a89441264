#include "app/SettingsFile.h"

#include <cstdint>
#include <vector>

#include "app/SettingsTable.h"
#include "framework/TextConvert.h"

namespace
{
// Texts are read into a buffer of this many characters, the terminator included.
const DWORD kTextBuffer = 1024;
// Stands for a missing key: no value read from a file can hold these characters.
const wchar_t kMissing[] = L"\x01\x02missing\x02\x01";
// A settings file larger than this is not one of ours: it is left alone.
const DWORD kMostBytes = 16u << 20;

// Closes a file handle however the function is left.
class FileHandle
{
public:
    explicit FileHandle(HANDLE h) : m_h(h) {}
    ~FileHandle()
    {
        if (IsOpen())
            ::CloseHandle(m_h);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool IsOpen() const { return m_h != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_h; }
    // Closes now, for the caller to learn whether the data reached the disk.
    BOOL Close()
    {
        const HANDLE h = m_h;
        m_h = INVALID_HANDLE_VALUE;
        return ::CloseHandle(h);
    }

private:
    HANDLE m_h;
};

bool ReadWhole(LPCWSTR path, std::vector<BYTE>& bytes)
{
    FileHandle file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen())
        return false;
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMostBytes)
        return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    return bytes.empty() ||
           (::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
            read == bytes.size());
}

// The text as the system's reader takes an 8-bit settings file: UTF-8 after its mark,
// otherwise the ANSI code page.
CString DecodeEightBit(const std::vector<BYTE>& bytes)
{
    const size_t n = bytes.size();
    const char* data = reinterpret_cast<const char*>(bytes.data());
    if (n >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        return AnsiToWide(data + 3, CP_UTF8, static_cast<int>(n - 3));
    return n ? AnsiToWide(data, CP_ACP, static_cast<int>(n)) : CString();
}
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

BOOL SettingsFile::MakeUtf16() const
{
    if (!Exists())
        return CreateEmpty();
    std::vector<BYTE> bytes;
    if (!ReadWhole(m_path, bytes))
        return FALSE;
    // UTF-16 either way round is kept so by the system's writer.
    if (bytes.size() >= 2 &&
        ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF)))
        return TRUE;

    // Written beside it and moved over it: a full disk leaves the old file whole.
    const CString text = DecodeEightBit(bytes);
    const CString temporary = m_path + L".new";
    {
        FileHandle file(::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsOpen())
            return FALSE;
        static const BYTE kMark[2] = {0xFF, 0xFE};
        const DWORD textBytes = static_cast<DWORD>(text.GetLength()) * sizeof(wchar_t);
        DWORD written = 0;
        DWORD textWritten = 0;
        const bool ok =
            ::WriteFile(file.Get(), kMark, sizeof(kMark), &written, nullptr) && written == sizeof(kMark) &&
            (textBytes == 0 || (::WriteFile(file.Get(), text.GetString(), textBytes, &textWritten, nullptr) &&
                                textWritten == textBytes));
        if (!file.Close() || !ok)
        {
            ::DeleteFileW(temporary);
            return FALSE;
        }
    }
    if (!::MoveFileExW(temporary, m_path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        ::DeleteFileW(temporary);
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
    if (!MakeUtf16())
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
    // The system writes a missing or 8-bit file in the code page: make it UTF-16 first,
    // whatever removed or wrote it.
    if (!MakeUtf16())
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
