// The live display's texts: clock, automatic-stop progress, levels, format line.
#include <gtest/gtest.h>

#include <vector>

#include "app/RecordingReadouts.h"

TEST(RecordingReadouts, ClockAndProgressOverTheWholeRange)
{
    EXPECT_EQ(RecordingReadouts::ElapsedText(0), L"00:00:00.0");
    EXPECT_EQ(RecordingReadouts::ElapsedText(36000), L"01:00:00.0");
    EXPECT_EQ(RecordingReadouts::ElapsedText(359999), L"09:59:59.9");
    EXPECT_EQ(RecordingReadouts::ElapsedText(3600000), L"100:00:00.0");

    int p = -1;
    EXPECT_FALSE(RecordingReadouts::StopProgress(10, 0, p)); // a stop time of 00:00:00
    ASSERT_TRUE(RecordingReadouts::StopProgress(15, 30, p));
    EXPECT_EQ(500, p);
    // 99:59:59.9 is 3,599,999 blocks: the product no longer fits 32 bits.
    ASSERT_TRUE(RecordingReadouts::StopProgress(3599999, 3599999, p));
    EXPECT_EQ(1000, p);
    ASSERT_TRUE(RecordingReadouts::StopProgress(3000000, 3599999, p));
    EXPECT_EQ(833, p);
    ASSERT_TRUE(RecordingReadouts::StopProgress(4000000, 3599999, p));
    EXPECT_EQ(1000, p);
}

TEST(RecordingReadouts, LevelsRoundHalvesAwayAndMonoShowsOneLevelTwice)
{
    CString left;
    CString right;
    // Silence, full scale (the most negative sample included) and half scale.
    std::vector<int32_t> block(8820, 0);
    ASSERT_TRUE(RecordingReadouts::LevelTexts(block.data(), 8820, 2, left, right));
    EXPECT_EQ(left, L"-99");
    EXPECT_EQ(right, L"-99");
    for (size_t i = 0; i < block.size(); i += 2)
    {
        block[i] = INT32_MIN;
        block[i + 1] = 1 << 30;
    }
    ASSERT_TRUE(RecordingReadouts::LevelTexts(block.data(), 8820, 2, left, right));
    EXPECT_EQ(left, L"-00");
    EXPECT_EQ(right, L"-03"); // 10 log10(0.5) = -3.01
    // Mono: every 128th sample of the block, the same text on both sides.
    std::vector<int32_t> mono(4410, 0);
    for (size_t i = 0; i < mono.size(); i += 128)
        mono[i] = 214748365; // a tenth of full scale: -10 dB
    ASSERT_TRUE(RecordingReadouts::LevelTexts(mono.data(), 4410, 1, left, right));
    EXPECT_EQ(left, L"-10");
    EXPECT_EQ(right, left);
    // Too little to measure: no text, nothing divided by zero.
    EXPECT_FALSE(RecordingReadouts::LevelTexts(block.data(), 1, 2, left, right));
    EXPECT_FALSE(RecordingReadouts::LevelTexts(nullptr, 100, 2, left, right));
}

TEST(RecordingReadouts, FormatLinesAndSettingsOutsideTheTables)
{
    RecorderSettings s;
    EXPECT_EQ(RecordingReadouts::FormatDescription(s), L"MP3:  CBR 128 kbps; 44100 Hz; Joint Stereo;");
    s.nOutputFormat = FORMAT_WAV;
    s.nSampleRateIndex = 0;
    s.nChannels = 1;
    EXPECT_EQ(RecordingReadouts::FormatDescription(s), L"WAV:  Signed 16 bit PCM  8000 Hz;  Mono;");
    s.nWavSubFormat = 0;
    EXPECT_EQ(RecordingReadouts::FormatDescription(s), L"WAV:  Unsigned 8 bit PCM  8000 Hz;  Mono;");
    s.nOutputFormat = FORMAT_OGG;
    s.nSampleRateIndex = 7;
    s.nChannels = 2;
    EXPECT_EQ(RecordingReadouts::FormatDescription(s), L"OGG:  Quality : 0.30; Stereo; 44100 Hz;");
    s.nOggQuality = 6;
    s.nChannels = 1;
    s.nSampleRateIndex = 8;
    EXPECT_EQ(RecordingReadouts::FormatDescription(s), L"OGG:  Quality : 0.60; Mono; 48000 Hz;");

    // Where MP3 lacks the bitrate at the input rate, the line gives the file's own rate.
    s.nOutputFormat = FORMAT_MP3;
    s.nChannels = 2;
    s.nSampleRateIndex = 7;
    s.nMp3ChannelMode = 1;
    s.nMp3BitrateIndex = 7; // 64 kbps exists at 44100 Hz
    EXPECT_EQ(RecordingReadouts::FormatDescription(s), L"MP3:  CBR  64 kbps; 44100 Hz; Joint Stereo;");
    s.nMp3BitrateIndex = 1; // 16 kbps does not
    EXPECT_EQ(RecordingReadouts::FormatDescription(s), L"MP3:  CBR  16 kbps; 22050 Hz; Joint Stereo;");

    // A hand-edited file: nothing is read outside a table.
    s.nOutputFormat = FORMAT_MP3;
    s.nChannels = 2;
    s.nMp3BitrateIndex = 40;
    s.nSampleRateIndex = 12;
    s.nMp3ChannelMode = 7;
    EXPECT_EQ(RecordingReadouts::FormatDescription(s), L"MP3:  CBR   ? kbps;     ? Hz;");
    // A format that Record refuses is not left blank: nothing will be recorded.
    for (int format : {0, 4, -1})
    {
        s.nOutputFormat = static_cast<int16_t>(format);
        EXPECT_EQ(RecordingReadouts::FormatDescription(s), L"No output format: choose WAV, MP3 or OGG");
    }
}
