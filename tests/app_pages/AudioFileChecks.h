// What the page tests read back from recorded files: the MP3 frame headers, the Vorbis
// identification header, and whether a tone is present.
#pragma once

#include <cstdint>
#include <vector>

struct Mp3Frames
{
    int count = 0;        // audio frames walked (the information frame not counted)
    int firstKbps = 0;    // of the first audio frame
    int firstMode = -1;   // 0 stereo, 1 joint stereo, 2 dual channel, 3 mono
    int firstRate = 0;    // sampling rate in Hz
    bool uniform = false; // every audio frame has the first one's bitrate and mode
};

// Walks the frames after an ID3v2 tag; stops at the first byte that is no frame header.
Mp3Frames ReadMp3Frames(const std::vector<uint8_t>& bytes);

// The nominal bitrate of the Vorbis identification header in the first Ogg page; -1 when
// the file does not start with one.
int32_t VorbisNominalBitrate(const std::vector<uint8_t>& bytes);

// The power of the frequency in the samples (Goertzel), per sample.
double TonePower(const std::vector<int16_t>& samples, int channels, int rate, double frequency);
