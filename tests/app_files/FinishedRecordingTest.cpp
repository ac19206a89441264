// The row of a finished recording, the Duration cell and its order, and the rename check.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/DurationText.h"
#include "app/FinishedRecording.h"
#include "app/RenameCheck.h"
#include "app/pages/CRecordedFilesList.h"
#include "engine/RecorderSettings.h"

TEST(FinishedRecording, OneBlockOrLessIsTooShortByTheRecordingsOwnChannels)
{
    // 44.1 kHz: 4410 frames a block. Mono recording, whatever the settings say now.
    EXPECT_TRUE(FinishedRecording(L"C:\\a.wav", 0, 1, 4410, FORMAT_WAV).IsTooShort());
    EXPECT_TRUE(FinishedRecording(L"C:\\a.wav", 4410, 1, 4410, FORMAT_WAV).IsTooShort());
    EXPECT_FALSE(FinishedRecording(L"C:\\a.wav", 4411, 1, 4410, FORMAT_WAV).IsTooShort());
    // The same count from a stereo recording is one block exactly.
    EXPECT_TRUE(FinishedRecording(L"C:\\a.wav", 8820, 2, 4410, FORMAT_WAV).IsTooShort());
    // No block size (a recording that never started) keeps nothing.
    EXPECT_TRUE(FinishedRecording(L"C:\\a.wav", 100000, 2, 0, FORMAT_WAV).IsTooShort());
}

TEST(FinishedRecording, DurationRoundsAndCountsEveryHour)
{
    // 8 kHz mono: 8000 samples a second.
    EXPECT_EQ(2u, FinishedRecording(L"x", 19999, 1, 800, FORMAT_MP3).GetSeconds());
    EXPECT_EQ(3u, FinishedRecording(L"x", 20000, 1, 800, FORMAT_MP3).GetSeconds());
    EXPECT_EQ(3u, FinishedRecording(L"x", 27999, 1, 800, FORMAT_MP3).GetSeconds());
    EXPECT_EQ(4u, FinishedRecording(L"x", 28000, 1, 800, FORMAT_MP3).GetSeconds());
    // 25 hours of 48 kHz stereo: more samples than 32 bits hold.
    const int64_t samples = 25LL * 3600 * 96000;
    const FinishedRecording day(L"C:\\rec\\long.ogg", samples, 2, 4800, FORMAT_OGG);
    EXPECT_EQ(90000u, day.GetSeconds());
    SYSTEMTIME when = {2024, 3, 0, 9, 14, 5, 6, 0};
    const RecordedFileRow row = day.MakeRow(0x1'8000'0000ull, when);
    EXPECT_STREQ(L"long.ogg", row.cells[0]);
    EXPECT_STREQ(L"C:\\rec\\", row.cells[1]);
    EXPECT_STREQ(L"OGG", row.cells[2]);
    EXPECT_STREQ(L"25:00:00", row.cells[3]);
    EXPECT_FALSE(row.cells[4].IsEmpty());
    // 6 GB: the high 32 bits count.
    EXPECT_STREQ(L"6144.000", row.cells[5]);
    EXPECT_EQ(1u, row.nData);
}

TEST(FinishedRecording, FormatIsTheOneRecordedWhateverTheName)
{
    EXPECT_STREQ(L"WAV", FinishedRecording(L"C:\\out\\take.wav", 0, 1, 1, FORMAT_WAV).GetFormatText());
    EXPECT_STREQ(L"MP3", FinishedRecording(L"C:\\out.d\\Take.Mp3", 0, 1, 1, FORMAT_MP3).GetFormatText());
    // A name chosen in Save As may carry any extension, or none.
    EXPECT_STREQ(L"OGG", FinishedRecording(L"C:\\out\\foo.txt", 0, 1, 1, FORMAT_OGG).GetFormatText());
    EXPECT_STREQ(L"WAV", FinishedRecording(L"C:\\out.d\\take", 0, 1, 1, FORMAT_WAV).GetFormatText());
}

TEST(FinishedRecording, SizesAndPaths)
{
    EXPECT_STREQ(L"0.000", FinishedRecording::FormatSize(0));
    EXPECT_STREQ(L"1.500", FinishedRecording::FormatSize(1572864));
    EXPECT_STREQ(L"4096.000", FinishedRecording::FormatSize(0x1'0000'0000ull));
    EXPECT_TRUE(FinishedRecording::SamePath(L"C:\\Out\\Take.WAV", L"c:\\out\\take.wav"));
    EXPECT_TRUE(FinishedRecording::SamePath(L"C:\\\x00C4.wav", L"C:\\\x00E4.wav"));
    EXPECT_FALSE(FinishedRecording::SamePath(L"C:\\out\\take.wav", L"C:\\out\\take.wa"));
}

TEST(DurationText, FormatsAndReadsBack)
{
    EXPECT_STREQ(L"00:00:00", DurationText::Format(0));
    EXPECT_STREQ(L"01:01:01", DurationText::Format(3661));
    EXPECT_STREQ(L"23:59:59", DurationText::Format(86399));
    EXPECT_STREQ(L"24:00:00", DurationText::Format(86400));
    EXPECT_STREQ(L"150:00:05", DurationText::Format(150 * 3600 + 5));
    for (uint64_t s : {0ull, 59ull, 3599ull, 86400ull, 540005ull})
    {
        uint64_t back = 99;
        ASSERT_TRUE(DurationText::Parse(DurationText::Format(s), &back)) << s;
        EXPECT_EQ(s, back);
    }
    uint64_t s = 0;
    for (LPCWSTR bad :
         {L"", L"1:2:3", L"00:60:00", L"00:00:60", L"00:00", L"a0:00:00", L"00:00:00 ", L"-1:00:00"})
        EXPECT_FALSE(DurationText::Parse(bad, &s)) << bad;
}

TEST(RecordedFilesList, DurationsSortByLengthAndOtherColumnsAsTheListKeysThem)
{
    // As text, "100:00:00" would come before "25:00:00".
    const std::vector<LPCWSTR> texts = {L"100:00:00", L"25:00:00", L"00:00:09", L"02:00:00", L"00:01:00"};
    std::vector<SortCell> cells;
    for (LPCWSTR t : texts)
        cells.push_back(CRecordedFilesList::MakeCell(CRecordedFilesList::kDurationColumn, t));
    std::vector<int> order = {0, 1, 2, 3, 4};
    SortRowsByKeys(order, cells, 1, true);
    EXPECT_EQ((std::vector<int>{2, 4, 3, 1, 0}), order);
    SortRowsByKeys(order, cells, 1, false);
    EXPECT_EQ((std::vector<int>{0, 1, 3, 4, 2}), order);

    // Sizes stay numbers, names stay text.
    EXPECT_TRUE(CRecordedFilesList::MakeCell(5, L"12.500").parsed);
    EXPECT_FALSE(CRecordedFilesList::MakeCell(0, L"01:00:00").parsed);
}

TEST(RenameCheck, RefusesWhatIsNoPlainNameAndIgnoresNoChange)
{
    EXPECT_EQ(RenameCheck::Unchanged, RenameCheck::Check(L"take.wav", L"take.wav"));
    EXPECT_EQ(RenameCheck::Accept, RenameCheck::Check(L"take.wav", L"Take.wav"));
    EXPECT_EQ(RenameCheck::Accept, RenameCheck::Check(L"take.wav", L"my take (2).wav"));
    EXPECT_EQ(RenameCheck::Empty, RenameCheck::Check(L"take.wav", L""));
    EXPECT_EQ(RenameCheck::Empty, RenameCheck::Check(L"take.wav", L"   "));
    for (LPCWSTR bad : {L"..\\take.wav", L"sub/take.wav", L"C:take.wav", L"a*.wav", L"a?.wav", L"\"a\".wav",
                        L"a<b>.wav", L"a|b.wav", L"a\tb.wav", L"take.", L"take ", L".."})
    {
        EXPECT_EQ(RenameCheck::NotAName, RenameCheck::Check(L"take.wav", bad)) << bad;
    }
    EXPECT_FALSE(RenameCheck::Message(RenameCheck::Empty).IsEmpty());
    EXPECT_FALSE(RenameCheck::Message(RenameCheck::NotAName).IsEmpty());
    EXPECT_TRUE(RenameCheck::Message(RenameCheck::Accept).IsEmpty());
}
