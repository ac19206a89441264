#include "AudioFileChecks.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace
{
const int kV1L3[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
const int kV2L3[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
const int kRates[3][3] = {{44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};

struct Header
{
    int kbps;
    int mode;
    int rate;
    size_t length;
};

bool ParseHeader(const uint8_t* p, Header& h)
{
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
        return false;
    const int version = (p[1] >> 3) & 3; // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
    const int layer = (p[1] >> 1) & 3;   // 1 Layer III
    const int bitrate = p[2] >> 4;
    const int rate = (p[2] >> 2) & 3;
    if (version == 1 || layer != 1 || bitrate == 0 || bitrate == 15 || rate == 3)
        return false;
    const bool v1 = version == 3;
    h.kbps = v1 ? kV1L3[bitrate] : kV2L3[bitrate];
    const int sampleRate = kRates[v1 ? 0 : version == 2 ? 1 : 2][rate];
    h.mode = p[3] >> 6;
    h.rate = sampleRate;
    h.length = static_cast<size_t>((v1 ? 144 : 72) * h.kbps * 1000 / sampleRate + ((p[2] >> 1) & 1));
    return true;
}
} // namespace

Mp3Frames ReadMp3Frames(const std::vector<uint8_t>& bytes)
{
    Mp3Frames frames;
    size_t at = 0;
    if (bytes.size() >= 10 && std::memcmp(bytes.data(), "ID3", 3) == 0)
        at = 10 +
             ((bytes[6] & 0x7F) << 21 | (bytes[7] & 0x7F) << 14 | (bytes[8] & 0x7F) << 7 | (bytes[9] & 0x7F));
    frames.uniform = true;
    bool first = true;
    Header h;
    while (at + 4 <= bytes.size() && ParseHeader(&bytes[at], h) && at + h.length <= bytes.size())
    {
        // The information frame (LAME's tag) carries no audio.
        const std::string body(reinterpret_cast<const char*>(&bytes[at]), std::min<size_t>(h.length, 64));
        const bool info = body.find("Info") != std::string::npos || body.find("Xing") != std::string::npos;
        if (!(first && info))
        {
            if (frames.count == 0)
            {
                frames.firstKbps = h.kbps;
                frames.firstMode = h.mode;
                frames.firstRate = h.rate;
            }
            else if (h.kbps != frames.firstKbps || h.mode != frames.firstMode)
            {
                frames.uniform = false;
            }
            ++frames.count;
        }
        first = false;
        at += h.length;
    }
    return frames;
}

int32_t VorbisNominalBitrate(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() < 27 || std::memcmp(bytes.data(), "OggS", 4) != 0)
        return -1;
    const size_t packet = 27 + bytes[26];
    if (bytes.size() < packet + 30 || bytes[packet] != 1 || std::memcmp(&bytes[packet + 1], "vorbis", 6) != 0)
        return -1;
    int32_t nominal = 0;
    std::memcpy(&nominal, &bytes[packet + 20], 4);
    return nominal;
}

double TonePower(const std::vector<int16_t>& samples, int channels, int rate, double frequency)
{
    const size_t frames = samples.size() / static_cast<size_t>(channels);
    if (frames == 0)
        return 0.0;
    const double coefficient = 2.0 * std::cos(2.0 * 3.14159265358979323846 * frequency / rate);
    double s1 = 0.0;
    double s2 = 0.0;
    for (size_t i = 0; i < frames; ++i)
    {
        const double s0 = samples[i * static_cast<size_t>(channels)] + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return (s1 * s1 + s2 * s2 - coefficient * s1 * s2) / static_cast<double>(frames);
}
