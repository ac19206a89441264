#include "TestFiles.h"

#include <windows.h>

#include <cstring>

namespace
{
uint32_t Get32(const uint8_t* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t Get16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
} // namespace

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
