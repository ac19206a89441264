#include "engine/Mp3EncoderConfig.h"

#include <cstring>

#include "engine/FormatSupportTable.h"

static_assert(Mp3EncoderConfig::kBitrateCount == SettingRanges::kMp3BitrateIndex.Count(),
              "a row of the bit rate table for every index");
static_assert(SettingRanges::kMp3ChannelMode.low == Mp3EncoderConfig::MODE_STEREO &&
                  SettingRanges::kMp3ChannelMode.high == Mp3EncoderConfig::MODE_DUAL_CHANNEL,
              "the stereo modes the library knows");

const int16_t Mp3EncoderConfig::kMp3Bitrates[kBitrateCount] = {8,  16, 24, 32,  40,  48,  56,
                                                               64, 80, 96, 112, 128, 160, 192};

bool Mp3EncoderConfig::HasBitrateAt(int kbps, int rate)
{
    static const int mpeg1[14] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    static const int mpeg2[14] = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    bool known = false;
    for (int i = 0; i < kSampleRateCount; ++i)
        known = known || kSampleRates[i] == rate;
    if (!known)
        return false;
    // MPEG-2.5 has the first eight of MPEG-2's.
    const int* table = rate >= 32000 ? mpeg1 : mpeg2;
    const int count = rate >= 16000 ? 14 : 8;
    for (int i = 0; i < count; ++i)
        if (table[i] == kbps)
            return true;
    return false;
}

int Mp3EncoderConfig::OutputRate(int inputRate, int kbps)
{
    // Whole ratios: the encoder resamples by them cleanly, and the rate stays in its family.
    for (const int candidate : {inputRate, inputRate / 2, inputRate / 4, inputRate * 2, inputRate * 4})
        if (HasBitrateAt(kbps, candidate))
            return candidate;
    return 0;
}

bool Mp3EncoderConfig::Fill(const RecorderSettings& settings)
{
    std::memset(this, 0, sizeof(*this));
    using namespace SettingRanges;
    const bool stereo = settings.nChannels == 2;
    if (!kChannels.Contains(settings.nChannels) || !kSampleRateIndex.Contains(settings.nSampleRateIndex) ||
        !kMp3BitrateIndex.Contains(settings.nMp3BitrateIndex) || !kMp3Quality.Contains(settings.nMp3Quality))
        return false;

    dwConfig = kConfigLame;
    dwStructVersion = 1;
    dwStructSize = sizeof(*this);
    dwSampleRate = static_cast<uint32_t>(kSampleRates[settings.nSampleRateIndex]);
    // Given, not left to the encoder: left 0 it would resample low bitrates to a rate of
    // its own choosing, one that the window does not show.
    dwReSampleRate = static_cast<uint32_t>(
        OutputRate(kSampleRates[settings.nSampleRateIndex], kMp3Bitrates[settings.nMp3BitrateIndex]));
    // A stereo mode the library does not know (a hand-edited settings file) stays 0, plain
    // stereo, rather than reaching its tables.
    if (!stereo)
        nMode = MODE_MONO;
    else if (kMp3ChannelMode.Contains(settings.nMp3ChannelMode))
        nMode = settings.nMp3ChannelMode;
    dwBitrate = static_cast<uint32_t>(kMp3Bitrates[settings.nMp3BitrateIndex]);
    nPreset = -1;
    dwMpegVersion = 1;
    bWriteVBRHeader = 1; // the information tag in the first frame
    bNoRes = 1;
    // The library takes the low byte only when the high byte is its complement.
    const unsigned q = static_cast<unsigned>(settings.nMp3Quality);
    nQuality = static_cast<uint16_t>(((255 - q) << 8) | q);
    return true;
}
