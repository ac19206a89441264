#include <gtest/gtest.h>

#include "engine/AudioLibrary.h"
#include "engine/FormatSupportTable.h"

TEST(FormatSupportTable, CellsAndRanges)
{
    EXPECT_EQ(FormatSupportTable::CellIndex(2, 2, 7), 52);
    EXPECT_EQ(FormatSupportTable::CellIndex(1, 0, 0), 0);
    EXPECT_EQ(FormatSupportTable::CellIndex(2, 2, 8), 53);
    EXPECT_EQ(FormatSupportTable::CellIndex(0, 2, 7), -1);
    EXPECT_EQ(FormatSupportTable::CellIndex(3, 2, 7), -1);
    EXPECT_EQ(FormatSupportTable::CellIndex(2, -1, 7), -1);
    EXPECT_EQ(FormatSupportTable::CellIndex(2, 3, 7), -1);
    EXPECT_EQ(FormatSupportTable::CellIndex(2, 2, -1), -1);
    EXPECT_EQ(FormatSupportTable::CellIndex(2, 2, 9), -1);
    EXPECT_EQ(FormatSupportTable::CellIndex(2, 2, 12), -1);
}

TEST(FormatSupportTable, ResetMarksEveryOutputCell)
{
    FormatSupportTable table;
    table.m_encoderSupport[3] = 0;
    table.m_encoderFlags[4] = 7;
    table.ResetFormatCapabilities();
    for (int cell : table.m_encoderSupport)
        EXPECT_EQ(cell, 1);
    for (int flag : table.m_encoderFlags)
        EXPECT_EQ(flag, 1);
}

TEST(FormatSupportTable, ProbesTheCaptureDevice)
{
    AudioLibrary audio;
    ASSERT_EQ(audio.GetError(), paNoError);
    FormatSupportTable table;
    for (auto& cell : table.m_deviceSupport)
        cell = 1;
    table.ProbeInputFormats(9999);
    for (int cell : table.m_deviceSupport)
        EXPECT_EQ(cell, 0);

    const int device = Pa_GetDefaultInputDevice();
    ASSERT_NE(device, paNoDevice);
    table.ProbeInputFormats(device);
    EXPECT_EQ(table.m_deviceSupport[FormatSupportTable::CellIndex(2, 2, 7)], 1);
    FormatSupportTable again;
    again.ProbeInputFormats(device);
    for (int i = 0; i < FormatSupportTable::kCells; ++i)
        EXPECT_EQ(table.m_deviceSupport[i], again.m_deviceSupport[i]) << "cell " << i;
}
