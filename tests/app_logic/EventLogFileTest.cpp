#include <gtest/gtest.h>

#include "../engine/TestFiles.h"
#include "app/EventLogFile.h"
#include "resources/Version.h"

TEST(EventLogFile, BannerEventsAndTrailerByteForByte)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"Quillmoth.log";
    EventLogFile log(path.c_str());
    SYSTEMTIME t = {};
    t.wYear = 2026;
    t.wMonth = 12;
    t.wDay = 9;
    t.wHour = 14;
    t.wMinute = 3;
    t.wSecond = 9;
    const CString start = EventLogFile::FormatStartLine(t);
    EXPECT_EQ(start, L"Starting Time: 14:03:09  Dec 09, 2026");
    ASSERT_TRUE(log.WriteBanner(start));
    ASSERT_TRUE(log.AppendEvent(EventLogFile::FormatStamp(t), L"Finished Initialization."));
    ASSERT_TRUE(log.WriteTrailer());
    ASSERT_TRUE(log.WriteBanner(start)); // the next run appends, without a second mark

    const std::wstring stars(60, L'*');
    const std::wstring banner = stars + L"\r\n" + stars + L"\r\n" +
                                L"***************Quillmoth " QM_VERSION_TEXT "******************\r\n"
                                L"Starting Time: 14:03:09  Dec 09, 2026\r\n";
    std::vector<uint8_t> expected = {0xFF, 0xFE};
    const std::vector<uint8_t> text =
        Utf16Bytes(banner + L"14:03:09   Finished Initialization.\r\n" + L"\r\n\r\n\r\n\r\n\r\n" + banner);
    expected.insert(expected.end(), text.begin(), text.end());
    EXPECT_EQ(ReadAll(path), expected);

    t.wMonth = 1;
    t.wHour = 0;
    EXPECT_EQ(EventLogFile::FormatStamp(t), L"00:03:09  ");
    EXPECT_EQ(EventLogFile::FormatStartLine(t), L"Starting Time: 00:03:09  Jan 09, 2026");

    EXPECT_FALSE(EventLogFile((folder.Path() + L"missing\\Quillmoth.log").c_str()).AppendEvent(L"x", L"y"));
}
