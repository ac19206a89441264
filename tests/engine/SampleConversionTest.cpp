#include <gtest/gtest.h>

#include <portaudio.h>

#include "engine/SampleConversion.h"

TEST(SampleConversion, SixteenBitKeepsEveryBit)
{
    const uint8_t bytes[] = {0x34, 0x12, 0xC4, 0x12, 0xFF, 0xFF, 0x00, 0x80, 0xFF, 0x7F, 0x01, 0x00};
    int32_t out[6];
    ConvertCaptureToInt32(bytes, out, 6, 2);
    EXPECT_EQ(out[0], 0x12340000);
    EXPECT_EQ(out[1], 0x12C40000);
    EXPECT_EQ(out[2], static_cast<int32_t>(0xFFFF0000));
    EXPECT_EQ(out[3], INT32_MIN);
    EXPECT_EQ(out[4], 0x7FFF0000);
    EXPECT_EQ(out[5], 0x00010000);
}

TEST(SampleConversion, EightBitFormats)
{
    const uint8_t bytes[] = {0x80, 0xFF, 0x00, 0x7F};
    int32_t out[4];
    ConvertCaptureToInt32(bytes, out, 4, 0); // unsigned: 0x80 is silence
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 0x7F000000);
    EXPECT_EQ(out[2], INT32_MIN);
    EXPECT_EQ(out[3], -0x01000000);
    ConvertCaptureToInt32(bytes, out, 4, 1); // signed
    EXPECT_EQ(out[0], INT32_MIN);
    EXPECT_EQ(out[1], -0x01000000);
    EXPECT_EQ(out[2], 0);
    EXPECT_EQ(out[3], 0x7F000000);

    out[0] = 5;
    ConvertCaptureToInt32(bytes, out, 4, 7);
    EXPECT_EQ(out[0], 0);

    EXPECT_EQ(GetCaptureSampleBytes(0), 1);
    EXPECT_EQ(GetCaptureSampleBytes(1), 1);
    EXPECT_EQ(GetCaptureSampleBytes(2), 2);
    EXPECT_EQ(GetCaptureSampleFormat(0), paUInt8);
    EXPECT_EQ(GetCaptureSampleFormat(1), paInt8);
    EXPECT_EQ(GetCaptureSampleFormat(2), paInt16);
}

TEST(SampleConversion, BalanceScalesEachChannelTowardZero)
{
    int32_t frames[] = {0x40000000, 0x40000000, -3, -3, INT32_MIN, INT32_MAX};
    ApplyBalance(frames, 3, 0.5f, 1.0f);
    EXPECT_EQ(frames[0], 0x20000000);
    EXPECT_EQ(frames[1], 0x40000000);
    EXPECT_EQ(frames[2], -1);
    EXPECT_EQ(frames[3], -3);
    EXPECT_EQ(frames[4], -0x40000000);
    EXPECT_EQ(frames[5], INT32_MAX);
}
