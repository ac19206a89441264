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
    Marked,   // UTF-16 with its mark, either order: nothing more was read
    Unmarked, // bytes holds the whole file
    TooLarge,
    Unreadable
};

// The first two bytes first: a file with the UTF-16 mark needs nothing more.
Head ReadUnlessMarked(LPCWSTR path, std::vector<BYTE>& bytes)
{
    FileHandle file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file.IsOpen() || !::GetFileSizeEx(file.Get(), &size))
        return Head::Unreadable;
    if (size.QuadPart > kMostBytes)
        return Head::TooLarge;
    const DWORD total = static_cast<DWORD>(size.QuadPart);
    const DWORD head = total < 2 ? total : 2;
    bytes.resize(total);
    if (!ReadExactly(file.Get(), bytes.data(), head))
        return Head::Unreadable;
    if (head == 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF)))
        return Head::Marked;
    return ReadExactly(file.Get(), bytes.data() + head, total - head) ? Head::Unmarked : Head::Unreadable;
}

// Strictly: a byte the code page rejects fails rather than becoming a replacement
// character that the rewrite would make permanent.
bool DecodeStrictly(const BYTE* data, size_t n, UINT codePage, CString& text)
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

// UTF-16 without its mark, as the pattern of mostly-ASCII text shows it: an even size,
// no NUL character, and more than half of the characters with a zero high byte. 0 when
// it is not, else 1 little-endian, 2 big-endian.
int Utf16Order(const std::vector<BYTE>& bytes)
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

bool DecodeUtf16(const std::vector<BYTE>& bytes, bool bigEndian, CString& text)
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

// The text of a file without the UTF-16 mark; false when it is none we can read.
bool DecodeUnmarked(const std::vector<BYTE>& bytes, CString& text)
{
    const size_t n = bytes.size();
    if (n >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        return DecodeStrictly(bytes.data() + 3, n - 3, CP_UTF8, text);
    if (const int order = Utf16Order(bytes))
        return DecodeUtf16(bytes, order == 2, text);
    bool eightBit = false;
    for (const BYTE b : bytes)
    {
        if (b == 0)
            return false;
        eightBit = eightBit || b > 127;
    }
    // Plain ASCII reads the same either way; valid UTF-8 beyond it is hardly ever the
    // code page's text.
    return (eightBit && DecodeStrictly(bytes.data(), n, CP_UTF8, text)) ||
           DecodeStrictly(bytes.data(), n, CP_ACP, text);
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
    if (!Exists())
        return CreateEmpty() ? Utf16Result::Ready : Utf16Result::Failed;
    std::vector<BYTE> bytes;
    switch (ReadUnlessMarked(m_path, bytes))
    {
    case Head::Marked:
        return Utf16Result::Ready;
    case Head::TooLarge:
        return Utf16Result::NotText;
    case Head::Unreadable:
        return Utf16Result::Failed;
    case Head::Unmarked:
        break;
    }
    CString text;
    if (!DecodeUnmarked(bytes, text))
        return Utf16Result::NotText;
    return WriteUtf16(text) ? Utf16Result::Ready : Utf16Result::Failed;
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
    const Utf16Result result = Exists() ? MakeUtf16() : Utf16Result::Ready;
    if (made)
        *made = result;
    // One that could not be rewritten (read-only, say) is read as the system reads it:
    // its values are there all the same, and its saves fail as they would have.
    if (result == Utf16Result::NotText)
        return FALSE;
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
