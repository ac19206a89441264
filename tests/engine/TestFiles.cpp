#include "TestFiles.h"

#include <windows.h>

#include <cstring>

namespace
{
void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE)
    {
        do
        {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(folder + name + L"\\");
            else
            {
                SetFileAttributesW((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW((folder + name).c_str());
            }
        } while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

uint32_t Get32(const uint8_t* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t Get16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
} // namespace

TempFolder::TempFolder()
{
    static LONG counter = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    m_path = std::wstring(temp) + L"qm-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(InterlockedIncrement(&counter)) + L"\\";
    RemoveTree(m_path);
    CreateDirectoryW(m_path.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    RemoveTree(m_path);
}

std::vector<uint8_t> ReadAll(const std::wstring& path)
{
    std::vector<uint8_t> bytes;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return bytes;
    uint8_t buffer[65536];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof(buffer), &got, nullptr) && got > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    CloseHandle(h);
    return bytes;
}

bool WriteAll(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        bytes.empty() || (WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                          written == bytes.size());
    CloseHandle(h);
    return ok;
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

WavFile ReadWav(const std::wstring& path)
{
    return ParseWav(ReadAll(path));
}

WavFile ParseWav(const std::vector<uint8_t>& bytes)
{
    WavFile wav;
    if (bytes.size() < 44)
        return wav;
    const uint8_t* p = bytes.data();
    wav.valid = std::memcmp(p, "RIFF", 4) == 0 && std::memcmp(p + 8, "WAVEfmt ", 8) == 0 &&
                Get32(p + 16) == 16 && std::memcmp(p + 36, "data", 4) == 0;
    wav.riffSize = Get32(p + 4);
    wav.formatTag = Get16(p + 20);
    wav.channels = Get16(p + 22);
    wav.sampleRate = Get32(p + 24);
    wav.byteRate = Get32(p + 28);
    wav.blockAlign = Get16(p + 32);
    wav.bits = Get16(p + 34);
    wav.dataSize = Get32(p + 40);
    wav.data.assign(bytes.begin() + 44, bytes.end());
    return wav;
}

std::vector<int16_t> WavFile::Samples16() const
{
    std::vector<int16_t> samples;
    if (bits == 8)
    {
        for (uint8_t b : data)
            samples.push_back(static_cast<int16_t>(static_cast<uint16_t>((b ^ 0x80) << 8)));
    }
    else
    {
        for (size_t i = 0; i + 1 < data.size(); i += 2)
            samples.push_back(static_cast<int16_t>(Get16(&data[i])));
    }
    return samples;
}

std::vector<uint8_t> Utf16Bytes(const std::wstring& text)
{
    std::vector<uint8_t> bytes;
    for (wchar_t c : text)
    {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return bytes;
}
