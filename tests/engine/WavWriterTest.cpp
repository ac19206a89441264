#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "TestFiles.h"
#include "engine/FormatSupportTable.h"
#include "engine/WavWriter.h"

TEST(WavWriter, HeaderForEveryRateChannelCountAndWidth)
{
    for (int rate = 0; rate < kSampleRateCount; ++rate)
        for (int channels = 1; channels <= 2; ++channels)
            for (int bits : {8, 16})
            {
                BYTE header[44];
                WavWriter::BuildWavHeader(header, channels, kSampleRates[rate], bits, 1000);
                const WavFile wav = ParseWav(std::vector<uint8_t>(header, header + 44));
                SCOPED_TRACE(std::to_string(kSampleRates[rate]) + " Hz, " + std::to_string(channels) +
                             " ch, " + std::to_string(bits) + " bits");
                EXPECT_TRUE(wav.valid);
                EXPECT_EQ(wav.riffSize, 1036u);
                EXPECT_EQ(wav.formatTag, 1);
                EXPECT_EQ(wav.channels, channels);
                EXPECT_EQ(wav.sampleRate, static_cast<uint32_t>(kSampleRates[rate]));
                EXPECT_EQ(wav.byteRate, static_cast<uint32_t>(kSampleRates[rate] * channels * bits / 8));
                EXPECT_EQ(wav.blockAlign, channels * bits / 8);
                EXPECT_EQ(wav.bits, bits);
                EXPECT_EQ(wav.dataSize, 1000u);
            }
    // The largest data size still leaves a RIFF size that fits.
    BYTE header[44];
    WavWriter::BuildWavHeader(header, 2, 48000, 16, static_cast<uint32_t>(WavWriter::kMaxDataBytes));
    EXPECT_EQ(header[4] | header[5] << 8 | header[6] << 16 | static_cast<uint32_t>(header[7]) << 24,
              0xFFFFFFFFu);
}

TEST(WavWriter, NarrowsToTheTopBits)
{
    const int32_t samples[] = {0x12345678, 0, INT32_MIN, INT32_MAX, -1, 0x00FFFFFF};
    BYTE out16[12];
    EXPECT_EQ(WavWriter::ConvertToPcm(samples, out16, 6, 16), out16 + 12);
    const BYTE expected16[] = {0x34, 0x12, 0, 0, 0x00, 0x80, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0x00};
    EXPECT_EQ(std::vector<BYTE>(out16, out16 + 12), std::vector<BYTE>(expected16, expected16 + 12));

    BYTE out8[6];
    EXPECT_EQ(WavWriter::ConvertToPcm(samples, out8, 6, 8), out8 + 6);
    const BYTE expected8[] = {0x92, 0x80, 0x00, 0xFF, 0x7F, 0x80};
    EXPECT_EQ(std::vector<BYTE>(out8, out8 + 6), std::vector<BYTE>(expected8, expected8 + 6));
}

TEST(WavWriter, FileGetsItsFinalSizes)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"a.wav";
    {
        WavWriter empty(1, 8000, 8);
        empty.Create(path.c_str());
        empty.Finish();
    }
    WavFile wav = ReadWav(path);
    EXPECT_EQ(ReadAll(path).size(), 44u);
    EXPECT_EQ(wav.riffSize, 36u);
    EXPECT_EQ(wav.dataSize, 0u);
    EXPECT_EQ(wav.byteRate, 8000u);
    EXPECT_EQ(wav.blockAlign, 1);

    std::vector<int32_t> samples(3000);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int32_t>(i << 16);
    WavWriter writer(2, 44100, 16);
    writer.Create(path.c_str()); // truncates the old file
    EXPECT_EQ(writer.Write(samples.data(), 2048), 2048u);
    EXPECT_EQ(writer.Write(samples.data() + 2048, 952), 952u);
    writer.Finish();
    wav = ReadWav(path);
    EXPECT_EQ(wav.dataSize, 6000u);
    EXPECT_EQ(wav.riffSize, 6036u);
    EXPECT_EQ(wav.data.size(), 6000u);
    const std::vector<int16_t> back = wav.Samples16();
    ASSERT_EQ(back.size(), 3000u);
    EXPECT_EQ(back[2999], 2999);
}

TEST(WavWriter, StopsAtItsDataLimitInWholeFrames)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"limit.wav";
    WavWriter writer(2, 44100, 16, 1002); // rounded down to whole 4-byte frames
    writer.Create(path.c_str());
    std::vector<int32_t> samples(300, 0x01000000);
    EXPECT_EQ(writer.Write(samples.data(), 300), 300u);
    EXPECT_EQ(writer.Write(samples.data(), 300), 200u);
    EXPECT_EQ(writer.Write(samples.data(), 300), 0u);
    EXPECT_EQ(writer.GetDataBytes(), 1000u);
    writer.Finish();
    const WavFile wav = ReadWav(path);
    EXPECT_EQ(wav.dataSize, 1000u);
    EXPECT_EQ(wav.riffSize, 1036u);
    EXPECT_EQ(wav.data.size(), 1000u);
}

TEST(WavWriter, CreateInAMissingFolderThrows)
{
    TempFolder folder;
    WavWriter writer(2, 44100, 16);
    try
    {
        writer.Create((folder.Path() + L"missing\\x.wav").c_str());
        FAIL() << "no exception";
    }
    catch (const CFileException& e)
    {
        EXPECT_EQ(e.m_cause, CFileException::badPath);
    }
}

namespace
{
// Samples whose 16-bit values count up from 0, wrapping.
std::vector<int32_t> Ramp(size_t count)
{
    std::vector<int32_t> samples(count);
    for (size_t i = 0; i < count; ++i)
        samples[i] = static_cast<int32_t>(static_cast<uint32_t>(i) << 16);
    return samples;
}

void WriteInChunks(WavWriter& writer, const std::vector<int32_t>& samples)
{
    for (size_t at = 0; at < samples.size(); at += 2048)
    {
        const UINT n = static_cast<UINT>(std::min<size_t>(2048, samples.size() - at));
        ASSERT_EQ(writer.Write(samples.data() + at, n), n);
    }
}

void ExpectRamp(const WavFile& wav, size_t samples)
{
    const std::vector<int16_t> back = wav.Samples16();
    ASSERT_GE(back.size(), samples);
    for (size_t i = 0; i < samples; ++i)
        ASSERT_EQ(back[i], static_cast<int16_t>(i)) << "sample " << i;
}

} // namespace

// A writer that never finishes (its process died) leaves the sizes of its last refresh,
// once a second of audio; refreshes in between do not disturb the data.
TEST(WavWriter, SizesAreRefreshedOnceASecondOfAudio)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"abandoned.wav";
    const std::vector<int32_t> samples = Ramp(12000); // 1.5 s at 8000 Hz mono 16-bit
    {
        WavWriter writer(1, 8000, 16);
        writer.Create(path.c_str());
        WriteInChunks(writer, samples);
    }
    WavFile wav = ReadWav(path);
    EXPECT_EQ(wav.data.size(), 24000u);
    EXPECT_EQ(wav.dataSize, 16384u); // the first chunk at or past 16000 bytes
    EXPECT_EQ(wav.riffSize, 16420u);
    ExpectRamp(wav, 12000);

    const std::vector<int32_t> longer = Ramp(60000); // 3.75 s, three refreshes
    WavWriter writer(1, 8000, 16);
    writer.Create(path.c_str());
    WriteInChunks(writer, longer);
    writer.Finish();
    wav = ReadWav(path);
    EXPECT_EQ(wav.dataSize, 120000u);
    EXPECT_EQ(wav.riffSize, 120036u);
    EXPECT_EQ(wav.data.size(), 120000u);
    ExpectRamp(wav, 60000);
}

// A full disk, inside a chunk, on a chunk's edge, or before the header is complete: the
// error still reaches the caller, and the header holds the whole frames on disk.
TEST(WavWriter, AFullDiskLeavesTheWholeFramesOnDiskInTheHeader)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"full.wav";
    const std::vector<int32_t> samples = Ramp(44100 * 2); // 1 s of stereo
    for (const ULONGLONG capacity : {44 + 100003ull, 44 + 4 * 8192ull, 30ull})
    {
        SCOPED_TRACE("room for " + std::to_string(capacity) + " bytes");
        int cause = CFileException::none;
        uint64_t counted = 0;
        {
            WavWriter writer(2, 44100, 16);
            try
            {
                writer.Create(path.c_str(), std::unique_ptr<CFile>(new SmallDisk(capacity)));
                WriteInChunks(writer, samples);
            }
            catch (const CFileException& e)
            {
                cause = e.m_cause;
            }
            counted = writer.GetDataBytes();
        }
        EXPECT_EQ(cause, CFileException::diskFull);
        const std::vector<uint8_t> bytes = ReadAll(path);
        if (capacity < 44)
        {
            EXPECT_EQ(bytes.size(), capacity);
            continue;
        }
        const uint32_t whole = static_cast<uint32_t>((capacity - 44) / 4 * 4);
        const WavFile wav = ParseWav(bytes);
        ASSERT_TRUE(wav.valid);
        EXPECT_EQ(bytes.size(), 44u + whole); // a partial frame is cut off
        EXPECT_EQ(wav.dataSize, whole);
        EXPECT_EQ(wav.riffSize, whole + 36);
        EXPECT_EQ(counted, whole);
        ExpectRamp(wav, whole / 2);
    }
}
