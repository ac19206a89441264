// The logic behind the Recording, Output and Misc pages and the Encoder Settings dialog,
// without windows.
#include <gtest/gtest.h>

#include "app/EncoderChoices.h"
#include "app/OutputLocation.h"
#include "app/RecordingChoices.h"
#include "app/StopTimeRule.h"
#include "resources/resource.h"

namespace
{
FormatSupportTable EverythingAccepted()
{
    FormatSupportTable table;
    table.MarkAllFormatsSupported();
    for (auto& cell : table.m_deviceSupport)
        cell = 1;
    return table;
}

const int kRateIds[9] = {IDC_RECORDING_RATE_8000,  IDC_RECORDING_RATE_11025, IDC_RECORDING_RATE_12000,
                         IDC_RECORDING_RATE_16000, IDC_RECORDING_RATE_22050, IDC_RECORDING_RATE_24000,
                         IDC_RECORDING_RATE_32000, IDC_RECORDING_RATE_44100, IDC_RECORDING_RATE_48000};
} // namespace

TEST(RecordingChoices, EachRadioStoresItsValueInItsOwnField)
{
    RecorderSettings s;
    ASSERT_TRUE(RecordingChoices::Apply(IDC_RECORDING_MONO, s));
    EXPECT_EQ(1, s.nChannels);
    ASSERT_TRUE(RecordingChoices::Apply(IDC_RECORDING_STEREO, s));
    EXPECT_EQ(2, s.nChannels);
    for (int i = 0; i < 9; ++i)
    {
        ASSERT_TRUE(RecordingChoices::Apply(kRateIds[i], s));
        EXPECT_EQ(i, s.nSampleRateIndex);
        EXPECT_EQ(i, RecordingChoices::RateIndex(s));
    }
    ASSERT_TRUE(RecordingChoices::Apply(IDC_RECORDING_8BIT_UNSIGNED, s));
    EXPECT_EQ(RESOLUTION_U8, s.nResolution);
    ASSERT_TRUE(RecordingChoices::Apply(IDC_RECORDING_8BIT_SIGNED, s));
    EXPECT_EQ(RESOLUTION_S8, s.nResolution);
    ASSERT_TRUE(RecordingChoices::Apply(IDC_RECORDING_16BIT_SIGNED, s));
    EXPECT_EQ(RESOLUTION_S16, s.nResolution);
    // Other settings stay as they were; a control that is no radio stores nothing.
    EXPECT_EQ(2, s.nChannels);
    const RecorderSettings before = s;
    EXPECT_FALSE(RecordingChoices::Apply(IDC_RECORDING_RATE_GROUP, s));
    EXPECT_EQ(before.nChannels, s.nChannels);
    EXPECT_EQ(before.nSampleRateIndex, s.nSampleRateIndex);
    EXPECT_EQ(before.nResolution, s.nResolution);
}

TEST(RecordingChoices, ARateNeedsBothHalvesOfTheTableForTheStoredRow)
{
    FormatSupportTable table = EverythingAccepted();
    RecorderSettings s;
    s.nChannels = 1;
    s.nResolution = RESOLUTION_U8;
    // The device refuses 22050 Hz for mono 8-bit unsigned only; the encoder refuses 48000 Hz there.
    table.m_deviceSupport[FormatSupportTable::CellIndex(1, RESOLUTION_U8, 4)] = 0;
    table.m_encoderSupport[FormatSupportTable::CellIndex(1, RESOLUTION_U8, 8)] = 0;
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(i != 4 && i != 8, RecordingChoices::IsEnabled(kRateIds[i], s, table, false) != FALSE) << i;
    // Another row (stereo) has every rate again: the rule follows the stored settings.
    s.nChannels = 2;
    for (int id : kRateIds)
        EXPECT_TRUE(RecordingChoices::IsEnabled(id, s, table, false)) << id;

    // A device that refuses the whole row leaves channels and resolution open.
    s.nChannels = 1;
    for (int i = 0; i < 9; ++i)
        table.m_deviceSupport[FormatSupportTable::CellIndex(1, RESOLUTION_U8, i)] = 0;
    for (int id : kRateIds)
        EXPECT_FALSE(RecordingChoices::IsEnabled(id, s, table, false)) << id;
    EXPECT_TRUE(RecordingChoices::IsEnabled(IDC_RECORDING_STEREO, s, table, false));
    EXPECT_TRUE(RecordingChoices::IsEnabled(IDC_RECORDING_16BIT_SIGNED, s, table, false));
}

TEST(RecordingChoices, ChannelsAndResolutionFollowTheEncoderFlagsAndRecordingClosesEverything)
{
    FormatSupportTable table = EverythingAccepted();
    RecorderSettings s;
    const int flagOf[5] = {IDC_RECORDING_8BIT_UNSIGNED, IDC_RECORDING_8BIT_SIGNED, IDC_RECORDING_16BIT_SIGNED,
                           IDC_RECORDING_MONO, IDC_RECORDING_STEREO};
    for (int f = 0; f < 5; ++f)
    {
        FormatSupportTable one = table;
        one.m_encoderFlags[f] = 0;
        for (int g = 0; g < 5; ++g)
            EXPECT_EQ(f != g, RecordingChoices::IsEnabled(flagOf[g], s, one, false) != FALSE) << f << g;
    }
    for (const auto& radio : RecordingChoices::kRadios)
        EXPECT_FALSE(RecordingChoices::IsEnabled(radio.id, s, table, true)) << radio.id;
}

TEST(RecordingChoices, SettingsOutsideTheTablesSelectNothingAndDisableTheRates)
{
    const FormatSupportTable table = EverythingAccepted();
    const struct
    {
        int16_t channels, resolution, rate;
    } bad[] = {{0, 2, 7}, {3, 2, 7}, {2, -1, 7}, {2, 3, 7}, {2, 2, 9}, {2, 2, -1}, {-32768, 32767, 12}};
    for (const auto& b : bad)
    {
        RecorderSettings s;
        s.nChannels = b.channels;
        s.nResolution = b.resolution;
        s.nSampleRateIndex = b.rate;
        for (int i = 0; i < 9; ++i)
        {
            // The radio of a rate that is itself in range stays usable only with a valid row.
            const bool rowValid =
                b.channels >= 1 && b.channels <= 2 && b.resolution >= 0 && b.resolution <= 2;
            EXPECT_EQ(rowValid, RecordingChoices::IsEnabled(kRateIds[i], s, table, false) != FALSE)
                << b.channels << "/" << b.resolution << "/" << b.rate;
        }
        // The channel and resolution radios stay open so that a click repairs the setting.
        EXPECT_TRUE(RecordingChoices::IsEnabled(IDC_RECORDING_MONO, s, table, false));
        EXPECT_TRUE(RecordingChoices::IsEnabled(IDC_RECORDING_8BIT_SIGNED, s, table, false));
    }
    RecorderSettings s;
    s.nChannels = 3;
    s.nSampleRateIndex = 12;
    s.nResolution = -1;
    EXPECT_EQ(-1, RecordingChoices::ChannelIndex(s));
    EXPECT_EQ(-1, RecordingChoices::RateIndex(s));
    EXPECT_EQ(-1, RecordingChoices::ResolutionIndex(s));
    s = RecorderSettings();
    EXPECT_EQ(1, RecordingChoices::ChannelIndex(s));
    EXPECT_EQ(7, RecordingChoices::RateIndex(s));
    EXPECT_EQ(2, RecordingChoices::ResolutionIndex(s));
}

TEST(StopTimeRule, FieldsClampIntoTheSpinsAndZeroBecomesFiveSeconds)
{
    RecorderSettings s;
    s.nStopHour = 150;
    s.nStopMinute = -3;
    s.nStopSecond = 75;
    StopTime shown = StopTimeRule::Shown(s);
    EXPECT_EQ(99, shown.hours);
    EXPECT_EQ(0, shown.minutes);
    EXPECT_EQ(59, shown.seconds);

    bool tooShort = true;
    StopTime kept = StopTimeRule::Checked(shown, tooShort);
    EXPECT_FALSE(tooShort);
    StopTimeRule::Store(kept, s);
    EXPECT_EQ(99, s.nStopHour);
    EXPECT_EQ(0, s.nStopMinute);
    EXPECT_EQ(59, s.nStopSecond);

    // Zero (hand-edited, or spun down) stops nothing: five seconds instead, said once.
    kept = StopTimeRule::Checked({0, 0, 0}, tooShort);
    EXPECT_TRUE(tooShort);
    EXPECT_EQ(0, kept.hours);
    EXPECT_EQ(0, kept.minutes);
    EXPECT_EQ(5, kept.seconds);
    // One second is allowed; so are zero seconds with a minute.
    StopTimeRule::Checked({0, 0, 1}, tooShort);
    EXPECT_FALSE(tooShort);
    StopTimeRule::Checked({0, 1, 0}, tooShort);
    EXPECT_FALSE(tooShort);
}

TEST(OutputLocation, FolderGetsOneBackslashAndTheFreeSpaceLineFollowsTheChoice)
{
    EXPECT_STREQ(L"D:\\Music\\", OutputLocation::DestDirFromEdit(L"D:\\Music").GetString());
    EXPECT_STREQ(L"D:\\Music\\", OutputLocation::DestDirFromEdit(L"D:\\Music\\").GetString());
    EXPECT_STREQ(L"", OutputLocation::DestDirFromEdit(L"").GetString());

    RecorderSettings s;
    s.strDestDir = L"\\\\server\\share\\takes\\";
    s.nSaveLocation = 1;
    EXPECT_STREQ(L"\\\\server\\share\\takes\\", OutputLocation::FreeSpacePath(s).GetString());
    s.nSaveLocation = 0;
    EXPECT_STREQ(L"C:\\", OutputLocation::FreeSpacePath(s).GetString());
}

TEST(OutputLocation, AnEmptyFolderIsTheDefaultFolder)
{
    RecorderSettings s;
    for (const wchar_t* folder : {L"", L"  ", L"\t"})
    {
        s.strDestDir = folder;
        OutputLocation::UseDefaultFolderWhenEmpty(s, L"C:\\Music\\");
        EXPECT_STREQ(L"C:\\Music\\", s.strDestDir.GetString());
    }
    s.strDestDir = L"D:\\takes\\";
    OutputLocation::UseDefaultFolderWhenEmpty(s, L"C:\\Music\\");
    EXPECT_STREQ(L"D:\\takes\\", s.strDestDir.GetString());
}

TEST(OutputLocation, ANameThatCleansToNothingCannotMakeAFile)
{
    RecorderSettings s;
    s.nSaveLocation = 1;
    for (const wchar_t* name : {L"", L"   ", L"\t"})
    {
        s.strFileName = name;
        EXPECT_FALSE(OutputLocation::HasUsableName(s));
    }
    for (const wchar_t* name : {L"Untitled", L"?", L" a "})
    {
        s.strFileName = name;
        EXPECT_TRUE(OutputLocation::HasUsableName(s));
    }
    // Asking every time: the save dialog names the file.
    s.strFileName = L"";
    s.nSaveLocation = 0;
    EXPECT_TRUE(OutputLocation::HasUsableName(s));
}

TEST(EncoderChoices, RowsMapToValuesAndBack)
{
    EXPECT_EQ(2, EncoderChoices::RowCount(EncoderChoices::LIST_WAV_CODEC));
    EXPECT_EQ(14, EncoderChoices::RowCount(EncoderChoices::LIST_MP3_BITRATE));
    EXPECT_EQ(3, EncoderChoices::RowCount(EncoderChoices::LIST_MP3_MODE));
    EXPECT_EQ(8, EncoderChoices::RowCount(EncoderChoices::LIST_OGG_QUALITY));

    RecorderSettings s;
    EXPECT_EQ(1, EncoderChoices::RowOf(EncoderChoices::LIST_WAV_CODEC, s));
    EXPECT_EQ(11, EncoderChoices::RowOf(EncoderChoices::LIST_MP3_BITRATE, s));
    EXPECT_EQ(1, EncoderChoices::RowOf(EncoderChoices::LIST_MP3_MODE, s));
    EXPECT_EQ(4, EncoderChoices::RowOf(EncoderChoices::LIST_OGG_QUALITY, s));

    // OGG quality is the row minus one: -1 is the first row, the last row stores 6.
    s.nOggQuality = -1;
    EXPECT_EQ(0, EncoderChoices::RowOf(EncoderChoices::LIST_OGG_QUALITY, s));
    EncoderChoices::Store(EncoderChoices::LIST_OGG_QUALITY, 7, s);
    EXPECT_EQ(6, s.nOggQuality);
    EncoderChoices::Store(EncoderChoices::LIST_MP3_BITRATE, 7, s);
    EXPECT_EQ(7, s.nMp3BitrateIndex);
    EncoderChoices::Store(EncoderChoices::LIST_MP3_MODE, 2, s);
    EXPECT_EQ(2, s.nMp3ChannelMode);
    EncoderChoices::Store(EncoderChoices::LIST_WAV_CODEC, 0, s);
    EXPECT_EQ(0, s.nWavSubFormat);
}

TEST(EncoderChoices, ValuesWithoutARowShowNoneAndANoneSelectionStoresTheDefault)
{
    RecorderSettings s;
    s.nWavSubFormat = -1;
    s.nMp3BitrateIndex = 14;
    s.nMp3ChannelMode = 3;
    s.nOggQuality = -2;
    for (auto list : {EncoderChoices::LIST_WAV_CODEC, EncoderChoices::LIST_MP3_BITRATE,
                      EncoderChoices::LIST_MP3_MODE, EncoderChoices::LIST_OGG_QUALITY})
    {
        EXPECT_EQ(-1, EncoderChoices::RowOf(list, s)) << list;
        // What a list without a selection (CB_ERR) or a bad row answers.
        EncoderChoices::Store(list, -1, s);
    }
    EXPECT_EQ(1, s.nWavSubFormat);
    EXPECT_EQ(11, s.nMp3BitrateIndex);
    EXPECT_EQ(1, s.nMp3ChannelMode);
    EXPECT_EQ(3, s.nOggQuality);
    EncoderChoices::Store(EncoderChoices::LIST_OGG_QUALITY, 8, s);
    EXPECT_EQ(3, s.nOggQuality);
}
