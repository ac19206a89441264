#include "app/SettingsFile.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "app/IniText.h"
#include "app/SettingsTable.h"
#include "app/TextEncoding.h"

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

const BYTE kUtf16Mark[2] = {0xFF, 0xFE};

bool ReadExactly(HANDLE file, BYTE* buffer, DWORD count)
{
    DWORD read = 0;
    return count == 0 || (::ReadFile(file, buffer, count, &read, nullptr) && read == count);
}

enum class Head
{
    Marked,  // UTF-16 with its mark, either order: nothing more was read
    Decoded, // no mark: the text holds the whole file, decoded
    NotText, // no text of ours, or absurdly large
    Unreadable
};

// The first two bytes first: a file with the UTF-16 mark needs nothing more; any other is
// read whole and decoded.
Head ReadUnlessMarked(LPCWSTR path, CString& text)
{
    FileHandle file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file.IsOpen() || !::GetFileSizeEx(file.Get(), &size))
        return Head::Unreadable;
    if (size.QuadPart > kMostBytes)
        return Head::NotText;
    const DWORD total = static_cast<DWORD>(size.QuadPart);
    const DWORD head = total < 2 ? total : 2;
    std::vector<BYTE> bytes(total);
    if (!ReadExactly(file.Get(), bytes.data(), head))
        return Head::Unreadable;
    if (head == 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF)))
        return Head::Marked;
    if (!ReadExactly(file.Get(), bytes.data() + head, total - head))
        return Head::Unreadable;
    return TextEncoding::Decode(bytes, text) == TextEncoding::Kind::NotText ? Head::NotText : Head::Decoded;
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
    DWORD written = 0;
    const BOOL ok =
        ::WriteFile(h, kUtf16Mark, sizeof(kUtf16Mark), &written, nullptr) && written == sizeof(kUtf16Mark);
    if (!::CloseHandle(h) || !ok)
    {
        ::DeleteFileW(m_path);
        return FALSE;
    }
    return TRUE;
}

SettingsFile::Utf16Result SettingsFile::MakeUtf16() const
{
    std::unique_ptr<IniText> unwritten;
    return MakeUtf16(unwritten);
}

SettingsFile::Utf16Result SettingsFile::MakeUtf16(std::unique_ptr<IniText>& unwritten) const
{
    if (!Exists())
        return CreateEmpty() ? Utf16Result::Ready : Utf16Result::Failed;
    CString text;
    switch (ReadUnlessMarked(m_path, text))
    {
    case Head::Marked:
        return Utf16Result::Ready;
    case Head::NotText:
        return Utf16Result::NotText;
    case Head::Unreadable:
        return Utf16Result::Failed;
    case Head::Decoded:
        break;
    }
    if (WriteUtf16(text))
        return Utf16Result::Ready;
    unwritten = std::make_unique<IniText>(text);
    return Utf16Result::Failed;
}

std::unique_ptr<IniText> SettingsFile::ReadUnmarked() const
{
    CString text;
    if (ReadUnlessMarked(m_path, text) != Head::Decoded)
        return nullptr;
    return std::make_unique<IniText>(text);
}

BOOL SettingsFile::WriteUtf16(const CString& text) const
{
    // Written beside it and moved over it: a full disk leaves the old file whole. What an
    // earlier run left there, read-only or not, goes first.
    const CString temporary = m_path + L".new";
    ::SetFileAttributesW(temporary, FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(temporary);
    {
        FileHandle file(::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsOpen())
            return FALSE;
        const DWORD textBytes = static_cast<DWORD>(text.GetLength()) * sizeof(wchar_t);
        DWORD written = 0;
        DWORD textWritten = 0;
        // On the disk before the move: a power cut must not leave an empty file in its place.
        const bool ok =
            ::WriteFile(file.Get(), kUtf16Mark, sizeof(kUtf16Mark), &written, nullptr) &&
            written == sizeof(kUtf16Mark) &&
            (textBytes == 0 || (::WriteFile(file.Get(), text.GetString(), textBytes, &textWritten, nullptr) &&
                                textWritten == textBytes)) &&
            ::FlushFileBuffers(file.Get());
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
    return ReadTextFrom(ReadUnmarked().get(), section, key, defaultText);
}

int SettingsFile::ReadInt(LPCWSTR section, LPCWSTR key, int nDefault) const
{
    return ReadIntFrom(ReadUnmarked().get(), section, key, nDefault);
}

CString SettingsFile::ReadTextFrom(const IniText* decoded, LPCWSTR section, LPCWSTR key,
                                   LPCWSTR defaultText) const
{
    CString value;
    if (decoded)
    {
        if (!decoded->Find(section, key, value))
            value = defaultText;
        return value.Left(static_cast<int>(kTextBuffer) - 1);
    }
    std::vector<wchar_t> buffer(kTextBuffer, L'\0');
    const DWORD n = ::GetPrivateProfileStringW(section, key, defaultText ? defaultText : L"", buffer.data(),
                                               kTextBuffer, m_path);
    return CString(buffer.data(), static_cast<int>(n < kTextBuffer ? n : kTextBuffer - 1));
}

int SettingsFile::ReadIntFrom(const IniText* decoded, LPCWSTR section, LPCWSTR key, int nDefault) const
{
    // Read as text: the system's integer reader differs between platforms on an empty
    // value, and the sentinel tells a missing key from an empty one.
    const CString text = ReadTextFrom(decoded, section, key, kMissing);
    if (text == kMissing)
        return nDefault;
    return ParseProfileInt(text);
}

BOOL SettingsFile::WriteInt(LPCWSTR section, LPCWSTR key, int value) const
{
    return MakeUtf16() == Utf16Result::Ready && WriteNumber(section, key, value);
}

BOOL SettingsFile::WriteNumber(LPCWSTR section, LPCWSTR key, int value) const
{
    CString text;
    text.Format(L"%d", value);
    return ::WritePrivateProfileStringW(section, key, text, m_path);
}

BOOL SettingsFile::Load(RecorderSettings& s, const CString& defaultDestDir, Utf16Result* made) const
{
    // The system's reader takes a file without a mark for the code page. A missing file
    // is left missing (Reset ALL removes it and then loads the defaults).
    std::unique_ptr<IniText> unwritten;
    const Utf16Result result = Exists() ? MakeUtf16(unwritten) : Utf16Result::Ready;
    if (made)
        *made = result;
    if (result == Utf16Result::NotText)
        return FALSE;
    // One that was decoded but could not be rewritten (read-only, say, or held by another
    // program) is read from that text, which the system's reader would take for the code
    // page; its saves fail as they would have.
    const IniText* decoded = unwritten.get();
    size_t count = 0;
    const SettingKey* keys = GetSettingKeys(&count);
    for (size_t i = 0; i < count; ++i)
    {
        const SettingKey& k = keys[i];
        switch (k.width)
        {
        case SettingWidth::Int32:
        {
            int value = ReadIntFrom(decoded, k.section, k.key, k.defaultValue);
            if (value > k.upperLimit)
                value = k.upperLimit;
            s.*k.p32 = value;
            break;
        }
        case SettingWidth::Int16:
        {
            // The low 16 bits as a signed number; the limit applies to that number.
            int value = static_cast<int16_t>(
                static_cast<uint16_t>(ReadIntFrom(decoded, k.section, k.key, k.defaultValue)));
            if (value > k.upperLimit)
                value = k.upperLimit;
            s.*k.p16 = static_cast<int16_t>(value);
            break;
        }
        case SettingWidth::Text:
            s.*k.pText = ReadTextFrom(decoded, k.section, k.key,
                                      k.defaultText ? k.defaultText : defaultDestDir.GetString());
            break;
        }
    }
    return TRUE;
}

BOOL SettingsFile::Save(const RecorderSettings& s) const
{
    // The system writes a missing or 8-bit file in the code page: make it UTF-16 first,
    // whatever removed or wrote it, and once for all the keys.
    if (MakeUtf16() != Utf16Result::Ready)
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
            ok = WriteNumber(k.section, k.key, s.*k.p32);
            break;
        case SettingWidth::Int16:
            ok = WriteNumber(k.section, k.key, s.*k.p16);
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
