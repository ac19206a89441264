// Files for tests: whole files read and written, WAV files read back, a disk that fills;
// and the temporary folder they go in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/CFile.h"
#include "tests/common/TempFolder.h"

std::vector<uint8_t> ReadAll(const std::wstring& path);
bool WriteAll(const std::wstring& path, const std::vector<uint8_t>& bytes);
bool FileExists(const std::wstring& path);
// UTF-16LE bytes of text, no mark.
std::vector<uint8_t> Utf16Bytes(const std::wstring& text);

struct WavFile
{
    bool valid = false; // the fixed parts of a PCM header are there
    uint32_t riffSize = 0;
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint32_t byteRate = 0;
    uint16_t blockAlign = 0;
    uint16_t bits = 0;
    uint32_t dataSize = 0;
    std::vector<uint8_t> data; // everything after the 44-byte header
    // The samples as 16-bit values (8-bit ones moved to the top byte, sign restored).
    std::vector<int16_t> Samples16() const;
};

WavFile ReadWav(const std::wstring& path);
WavFile ParseWav(const std::vector<uint8_t>& bytes);

// A disk with room for capacity bytes: a write past it puts what fits, then fails.
class SmallDisk : public CFile
{
public:
    explicit SmallDisk(ULONGLONG capacity) : m_capacity(capacity) {}
    void Write(const void* buffer, UINT count) override
    {
        const ULONGLONG at = GetPosition();
        const ULONGLONG room = at < m_capacity ? m_capacity - at : 0;
        CFile::Write(buffer, count <= room ? count : static_cast<UINT>(room));
        if (count <= room)
            return;
        throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, GetFilePath());
    }

private:
    const ULONGLONG m_capacity;
};
