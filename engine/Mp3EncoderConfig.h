// The encoder library's configuration record as it reads it: 331 packed little-endian
// bytes, every field not set here left 0.
#pragma once

#include <cstdint>

#include "engine/RecorderSettings.h"

#pragma pack(push, 1)
struct Mp3EncoderConfig
{
    static constexpr uint32_t kConfigLame = 256;
    static constexpr int kBitrateCount = 14;
    static const int16_t kMp3Bitrates[kBitrateCount];
    enum ChannelMode : int32_t
    {
        MODE_STEREO = 0,
        MODE_JOINT_STEREO = 1,
        MODE_DUAL_CHANNEL = 2,
        MODE_MONO = 3
    };

    uint32_t dwConfig;
    uint32_t dwStructVersion;
    uint32_t dwStructSize;
    uint32_t dwSampleRate;
    uint32_t dwReSampleRate;
    int32_t nMode;
    uint32_t dwBitrate;
    uint32_t dwMaxBitrate;
    int32_t nPreset;
    uint32_t dwMpegVersion;
    uint32_t dwPsyModel;
    uint32_t dwEmphasis;
    int32_t bPrivate;
    int32_t bCRC;
    int32_t bCopyright;
    int32_t bOriginal;
    int32_t bWriteVBRHeader;
    int32_t bEnableVBR;
    int32_t nVBRQuality;
    uint32_t dwVbrAbr_bps;
    int32_t nVbrMethod;
    int32_t bNoRes;
    int32_t bStrictIso;
    uint16_t nQuality;
    uint8_t btReserved[237];

    // Whether MP3 has the bitrate at the sampling rate (MPEG-1 from 32000 Hz, MPEG-2 from
    // 16000 Hz, MPEG-2.5 below).
    static bool HasBitrateAt(int kbps, int rate);
    // The rate the file has: the input rate where the bitrate exists there, else the
    // nearest rate half, a quarter, twice or four times as high that has it; 0 for a
    // bitrate no rate has.
    static int OutputRate(int inputRate, int kbps);

    // Zeroes the record and fills it for a constant-bitrate stream. FALSE (record left
    // zeroed) when the sampling rate or bitrate index is outside its table, or the channel
    // count or quality outside what the library takes.
    bool Fill(const RecorderSettings& settings);
};
#pragma pack(pop)

static_assert(sizeof(Mp3EncoderConfig) == 331, "the encoder reads exactly 331 bytes");
