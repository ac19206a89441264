// Files for tests: whole files read and written, WAV files read back; and the temporary
// folder they go in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
