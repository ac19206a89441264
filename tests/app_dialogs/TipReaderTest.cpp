// The tips file reader on real files: comments and empty lines, going round, long lines,
// a file with no tip, a missing file, a deep program folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/TipPaintLayout.h"
#include "app/TipReader.h"
#include "app/pages/CTipDlg.h"
#include "tests/engine/TestFiles.h"

namespace
{
bool WriteText(const std::wstring& path, const std::string& text)
{
    return WriteAll(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::wstring Next(TipReader& reader)
{
    CString tip = L"<unchanged>";
    EXPECT_EQ(TipReader::TipRead, reader.ReadNextTip(tip));
    return std::wstring(tip.GetString());
}
} // namespace

TEST(TipReader, SkipsCommentsAndEmptyLinesAndGoesRound)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"Tips.tip";
    ASSERT_TRUE(WriteText(path, "; heading comment\r\n"
                                "\r\n"
                                "First tip.\r\n"
                                " indented: a comment\r\n"
                                "\tafter a TAB: a comment\r\n"
                                "Second tip.\n"
                                ";;\n"
                                "\n"
                                "Third tip, no line end"));
    TipReader reader;
    ASSERT_TRUE(reader.Open(path.c_str()));
    // Text mode: CR LF arrives as the line end alone, which the tip keeps.
    EXPECT_EQ(L"First tip.\n", Next(reader));
    EXPECT_EQ(L"Second tip.\n", Next(reader));
    EXPECT_EQ(L"Third tip, no line end", Next(reader));
    EXPECT_EQ(L"First tip.\n", Next(reader));
    EXPECT_EQ(L"Second tip.\n", Next(reader));
}

TEST(TipReader, EveryStartStepShowsTheTipAfterItCountingRound)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"Tips.tip";
    ASSERT_TRUE(WriteText(path, "; three tips\ntip 1\ntip 2\ntip 3\n"));
    // The dialog reads the first tip, then steps StartSteps(random) times: for k steps the
    // tip shown is tip (k mod 3) + 1.
    for (int random : {0, 1, 2, 9, 10, 11, 32767})
    {
        const int k = CTipDlg::StartSteps(random);
        ASSERT_GE(k, 1);
        ASSERT_LE(k, 11);
        TipReader reader;
        ASSERT_TRUE(reader.Open(path.c_str()));
        std::wstring shown = Next(reader);
        for (int i = 0; i < k; ++i)
            shown = Next(reader);
        EXPECT_EQ(L"tip " + std::to_wstring(k % 3 + 1) + L"\n", shown) << "k=" << k;
    }
}

TEST(TipReader, LongLinesComeInPiecesAndBytesStayCharacters)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"Tips.tip";
    // 999 + 999 + 2 characters: three pieces. The second piece starts with a blank, so it
    // counts as a comment line.
    const std::string first(TipReader::kMaxPiece, 'a');
    const std::string second = " " + std::string(TipReader::kMaxPiece - 1, 'b');
    ASSERT_TRUE(WriteText(path, first + second + "cc\n" + "caf\xE9\n"));
    TipReader reader;
    ASSERT_TRUE(reader.Open(path.c_str()));
    EXPECT_EQ(std::wstring(TipReader::kMaxPiece, L'a'), Next(reader));
    EXPECT_EQ(L"cc\n", Next(reader));
    EXPECT_EQ(std::wstring(L"caf\u00E9\n"), Next(reader)); // one byte, one character
    EXPECT_EQ(std::wstring(TipReader::kMaxPiece, L'a'), Next(reader));
}

TEST(TipReader, AFileWithoutTipsEndsTheReadAndTheTipStays)
{
    TempFolder folder;
    for (const std::string& text : {std::string("; only\n  comments\n\n"), std::string()})
    {
        const std::wstring path = folder.Path() + L"Tips.tip";
        ASSERT_TRUE(WriteText(path, text));
        TipReader reader;
        ASSERT_TRUE(reader.Open(path.c_str()));
        CString tip = L"before";
        EXPECT_EQ(TipReader::NoTipLine, reader.ReadNextTip(tip));
        EXPECT_EQ(TipReader::NoTipLine, reader.ReadNextTip(tip)); // again, no hang
        EXPECT_STREQ(L"before", tip.GetString());
    }
}

TEST(TipReader, AMissingFileDoesNotOpen)
{
    TempFolder folder;
    TipReader reader;
    EXPECT_FALSE(reader.Open((folder.Path() + L"Tips.tip").c_str()));
    EXPECT_FALSE(reader.IsOpen());
    CString tip = L"before";
    EXPECT_EQ(TipReader::NoTipLine, reader.ReadNextTip(tip));
    EXPECT_STREQ(L"before", tip.GetString());
}

// A program folder deeper than fixed path buffers hold: the tips file's path keeps all
// of it.
TEST(TipReader, TheTipsFileOfADeepProgramFolder)
{
    TempFolder folder;
    std::wstring dir = folder.Path();
    dir.pop_back();
    while (dir.size() < 300)
    {
        dir += L"\\" + std::wstring(60, L'd');
        ASSERT_TRUE(::CreateDirectoryW(dir.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    }
    const CString path = TipsFilePath(CString(dir.c_str()));
    EXPECT_EQ(dir + L"\\Tips.tip", std::wstring(path.GetString()));
    ASSERT_TRUE(WriteText(path.GetString(), "deep tip\n"));
    TipReader reader;
    ASSERT_TRUE(reader.Open(path));
    EXPECT_EQ(L"deep tip\n", Next(reader));
}

TEST(TipPaintLayout, BandRuleAndHeadingFollowTheControls)
{
    const RECT frame = {10, 10, 400, 200};
    const RECT tip = {80, 60, 390, 190};
    const RECT bulb = {20, 20, 52, 52};
    const TipPaintLayout layout = TipPaintLayout::Compute(frame, tip, bulb);
    // The band leaves a gap before the tip text and turns to shadow below its top part.
    EXPECT_EQ(70, layout.band.right);
    EXPECT_EQ(frame.left, layout.band.left);
    EXPECT_EQ(frame.bottom, layout.band.bottom);
    EXPECT_EQ(60, layout.shadow.top);
    EXPECT_EQ(layout.band.right, layout.shadow.right);
    // A one-pixel rule across the frame under the bulb.
    EXPECT_EQ(56, layout.separator.top);
    EXPECT_EQ(1, layout.separator.bottom - layout.separator.top);
    EXPECT_EQ(frame.right, layout.separator.right);
    // The heading beside the bulb, as wide as the tip.
    EXPECT_EQ(bulb.top, layout.heading.top);
    EXPECT_EQ(tip.left, layout.heading.left);
    EXPECT_EQ(tip.right, layout.heading.right);
}
