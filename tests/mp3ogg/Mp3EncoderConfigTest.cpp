// The encoder reads its configuration as raw bytes: every offset matters.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/Mp3EncoderConfig.h"

namespace
{
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// The record as the encoder expects it, written out field by field.
// The output rate is the input's unless given.
std::vector<uint8_t> Expected(uint32_t rate, int32_t mode, uint32_t bitrate, uint32_t outputRate = 0)
{
    std::vector<uint8_t> b(331, 0);
    Put32(b, 0, 256);
    Put32(b, 4, 1);
    Put32(b, 8, 331);
    Put32(b, 12, rate);
    Put32(b, 16, outputRate ? outputRate : rate);
    Put32(b, 20, static_cast<uint32_t>(mode));
    Put32(b, 24, bitrate);
    Put32(b, 32, 0xFFFFFFFFu); // no preset
    Put32(b, 36, 1);
    Put32(b, 64, 1);
    Put32(b, 84, 1);
    b[92] = 0x09;
    b[93] = 0xF6;
    return b;
}

std::vector<uint8_t> Bytes(const Mp3EncoderConfig& c)
{
    const uint8_t* p = reinterpret_cast<const uint8_t*>(&c);
    return std::vector<uint8_t>(p, p + sizeof(c));
}

RecorderSettings Settings(int rateIndex, int channels, int bitrateIndex, int mode)
{
    RecorderSettings s;
    s.nSampleRateIndex = static_cast<int16_t>(rateIndex);
    s.nChannels = static_cast<int16_t>(channels);
    s.nMp3BitrateIndex = static_cast<int16_t>(bitrateIndex);
    s.nMp3ChannelMode = static_cast<int16_t>(mode);
    return s;
}
} // namespace

TEST(Mp3EncoderConfig, RecordMatchesByteForByte)
{
    const struct
    {
        int rateIndex, channels, bitrateIndex, mode;
        uint32_t rate;
        int32_t expectedMode;
        uint32_t bitrate;
        uint32_t outputRate;
    } cases[] = {
        {7, 2, 11, 1, 44100, 1, 128, 0}, // the defaults
        {8, 2, 13, 0, 48000, 0, 192, 0},
        {0, 2, 0, 2, 8000, 2, 8, 0},
        {4, 1, 5, 2, 22050, 3, 48, 0}, // one channel is mono whatever the stereo mode says
        {6, 1, 12, 0, 32000, 3, 160, 0},
        {7, 2, 7, 1, 44100, 1, 64, 0},       // the encoder would choose 24000 Hz by itself
        {7, 2, 1, 1, 44100, 1, 16, 22050},   // MPEG-1 has no 16 kbps
        {4, 2, 13, 1, 22050, 1, 192, 44100}, // nor MPEG-2 192 kbps
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.rate);
        Mp3EncoderConfig config;
        std::memset(&config, 0xAB, sizeof(config)); // nothing of an earlier fill may stay
        ASSERT_TRUE(config.Fill(Settings(c.rateIndex, c.channels, c.bitrateIndex, c.mode)));
        EXPECT_EQ(Bytes(config), Expected(c.rate, c.expectedMode, c.bitrate, c.outputRate));
    }
}

TEST(Mp3EncoderConfig, TheOutputRateIsTheInputsWhereverTheBitrateExists)
{
    const int rates[9] = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};
    for (int rate : rates)
        for (int i = 0; i < Mp3EncoderConfig::kBitrateCount; ++i)
        {
            const int kbps = Mp3EncoderConfig::kMp3Bitrates[i];
            const int out = Mp3EncoderConfig::OutputRate(rate, kbps);
            EXPECT_TRUE(Mp3EncoderConfig::HasBitrateAt(kbps, out)) << rate << " " << kbps;
            if (Mp3EncoderConfig::HasBitrateAt(kbps, rate))
            {
                EXPECT_EQ(rate, out) << kbps;
            }
        }
    // Down to the nearest family member that has the bitrate, or up when none below has it.
    EXPECT_EQ(24000, Mp3EncoderConfig::OutputRate(48000, 8));
    EXPECT_EQ(44100, Mp3EncoderConfig::OutputRate(11025, 192));
    EXPECT_EQ(16000, Mp3EncoderConfig::OutputRate(8000, 96));
    EXPECT_FALSE(Mp3EncoderConfig::HasBitrateAt(64, 44000));
    EXPECT_EQ(0, Mp3EncoderConfig::OutputRate(44100, 7));
}

TEST(Mp3EncoderConfig, EveryBitrateIndexReadsItsTable)
{
    const uint32_t rates[] = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192};
    for (int i = 0; i < 14; ++i)
    {
        Mp3EncoderConfig config;
        ASSERT_TRUE(config.Fill(Settings(7, 2, i, 1)));
        EXPECT_EQ(config.dwBitrate, rates[i]);
    }
}

TEST(Mp3EncoderConfig, OutOfRangeSettingsAreRefusedBeforeAnyTableIsRead)
{
    const RecorderSettings bad[] = {Settings(7, 2, 14, 1),  Settings(7, 2, -1, 1), Settings(9, 2, 11, 1),
                                    Settings(-1, 2, 11, 1), Settings(7, 3, 11, 1), Settings(7, 0, 11, 1)};
    for (const auto& s : bad)
    {
        Mp3EncoderConfig config;
        std::memset(&config, 0xAB, sizeof(config));
        EXPECT_FALSE(config.Fill(s));
        EXPECT_EQ(Bytes(config), std::vector<uint8_t>(331, 0));
    }
    RecorderSettings quality = Settings(7, 2, 11, 1);
    quality.nMp3Quality = 10;
    Mp3EncoderConfig config;
    EXPECT_FALSE(config.Fill(quality));
}

TEST(Mp3EncoderConfig, UnknownStereoModeIsPlainStereo)
{
    for (int mode : {3, -1, 7})
    {
        Mp3EncoderConfig config;
        ASSERT_TRUE(config.Fill(Settings(7, 2, 11, mode)));
        EXPECT_EQ(Bytes(config), Expected(44100, 0, 128)) << mode;
        ASSERT_TRUE(config.Fill(Settings(7, 1, 11, mode)));
        EXPECT_EQ(config.nMode, 3) << mode;
    }
}
