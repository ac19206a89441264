#include <gtest/gtest.h>

#include <cstring>

#include "TestFiles.h"
#include "controls/CStdioFileEx.h"

namespace
{
const UINT kAppend =
    CStdioFileEx::modeWriteUnicode | CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite;

std::vector<uint8_t> Bytes(std::initializer_list<int> values)
{
    std::vector<uint8_t> v;
    for (int b : values)
        v.push_back(static_cast<uint8_t>(b));
    return v;
}

std::vector<std::wstring> ReadLines(const std::wstring& path, UINT flags, int codePage = -1)
{
    CStdioFileEx file;
    file.SetCodePage(codePage);
    std::vector<std::wstring> lines;
    if (!file.Open(path.c_str(), flags))
        return lines;
    CString line;
    while (file.ReadString(line))
        lines.push_back(line.GetString());
    EXPECT_TRUE(line.IsEmpty());
    return lines;
}
} // namespace

TEST(CStdioFileEx, UnicodeMarkOnlyAtTheStartOfAnEmptyFile)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"log.txt";
    {
        CStdioFileEx file;
        ASSERT_TRUE(file.Open(path.c_str(), kAppend));
        file.WriteString(L"ab");
    }
    EXPECT_EQ(ReadAll(path), Bytes({0xFF, 0xFE, 'a', 0, 'b', 0}));
    {
        CStdioFileEx file;
        ASSERT_TRUE(file.Open(path.c_str(), kAppend));
        file.SeekToEnd();
        file.WriteString(L"c\r\n");
    }
    EXPECT_EQ(ReadAll(path), Bytes({0xFF, 0xFE, 'a', 0, 'b', 0, 'c', 0, '\r', 0, '\n', 0}));
    {
        // At position 0 of a file that has text, no mark goes in front of it.
        CStdioFileEx file;
        ASSERT_TRUE(file.Open(path.c_str(), kAppend));
        file.WriteString(L"");
    }
    EXPECT_EQ(ReadAll(path).size(), 12u);
    EXPECT_EQ(ReadLines(path, CFile::modeRead), (std::vector<std::wstring>{L"abc"}));
}

TEST(CStdioFileEx, CodePageText)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"utf8.txt";
    {
        CStdioFileEx file;
        file.SetCodePage(CP_UTF8);
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        file.WriteString(L"\u00e9\r\n");
        file.WriteString(L"x");
    }
    EXPECT_EQ(ReadAll(path), Bytes({0xEF, 0xBB, 0xBF, 0xC3, 0xA9, '\r', '\n', 'x'}));
    EXPECT_EQ(ReadLines(path, CFile::modeRead, CP_UTF8), (std::vector<std::wstring>{L"\u00e9", L"x"}));

    // Characters the ANSI code page lacks become the replacement character.
    const std::wstring ansi = folder.Path() + L"ansi.txt";
    {
        CStdioFileEx file;
        ASSERT_TRUE(file.Open(ansi.c_str(), CFile::modeCreate | CFile::modeWrite));
        file.WriteString(L"a\u0436b");
    }
    EXPECT_EQ(ReadAll(ansi), Bytes({'a', '#', 'b'}));
}

TEST(CStdioFileEx, Utf8MarkIsDroppedOnlyWhenThere)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"nomark.txt";
    ASSERT_TRUE(WriteAll(path, Bytes({'a', 'b', 'c', '\r', '\n', 'd'})));
    EXPECT_EQ(ReadLines(path, CFile::modeRead, CP_UTF8), (std::vector<std::wstring>{L"abc", L"d"}));
    ASSERT_TRUE(WriteAll(path, Bytes({0xEF, 0xBB, 0xBF, 'a', '\n'})));
    EXPECT_EQ(ReadLines(path, CFile::modeRead, CP_UTF8), (std::vector<std::wstring>{L"a"}));
    ASSERT_TRUE(WriteAll(path, Bytes({'a'})));
    EXPECT_EQ(ReadLines(path, CFile::modeRead, CP_UTF8), (std::vector<std::wstring>{L"a"}));
}

TEST(CStdioFileEx, TheMarkDecidesHowAFileIsRead)
{
    TempFolder folder;
    const std::wstring unicode = folder.Path() + L"u.txt";
    ASSERT_TRUE(WriteAll(
        unicode, Bytes({0xFF, 0xFE, 'a', 0, 'b', 0, 'c', 0, '\r', 0, '\n', 0, 'x', 0, 'y', 0, 'z', 0})));
    EXPECT_EQ(ReadLines(unicode, CFile::modeRead), (std::vector<std::wstring>{L"abc", L"xyz"}));

    const std::wstring plain = folder.Path() + L"p.txt";
    ASSERT_TRUE(WriteAll(plain, Bytes({'a', 'b', 'c', '\r', '\n', 'x', 'y', 'z'})));
    EXPECT_EQ(ReadLines(plain, CFile::modeRead | CStdioFileEx::modeWriteUnicode),
              (std::vector<std::wstring>{L"abc", L"xyz"}));

    // A seek back to the start skips the mark again.
    CStdioFileEx file;
    ASSERT_TRUE(file.Open(unicode.c_str(), CFile::modeRead));
    EXPECT_TRUE(file.IsUnicodeText());
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    file.Seek(0, CFile::begin);
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, L"abc");
}

TEST(CStdioFileEx, LongLinesComeWhole)
{
    TempFolder folder;
    const std::wstring line(5000, L'q');
    for (UINT flags : {CFile::modeCreate | CFile::modeWrite | CStdioFileEx::modeWriteUnicode,
                       CFile::modeCreate | CFile::modeWrite})
    {
        const std::wstring path = folder.Path() + L"long.txt";
        {
            CStdioFileEx file;
            ASSERT_TRUE(file.Open(path.c_str(), flags));
            file.WriteString((line + L"\r\nend").c_str());
        }
        EXPECT_EQ(ReadLines(path, CFile::modeRead), (std::vector<std::wstring>{line, L"end"}));
    }
}

TEST(CStdioFileEx, FailedConversionsLeaveZeroedBuffers)
{
    char narrow[4];
    std::memset(narrow, 'z', sizeof(narrow));
    EXPECT_EQ(CStdioFileEx::WideToMultiByte(L"abcdefgh", narrow, 4, CP_UTF8), 0);
    for (char c : narrow)
        EXPECT_EQ(c, 0);
    std::memset(narrow, 'z', sizeof(narrow));
    EXPECT_EQ(CStdioFileEx::WideToMultiByte(L"abcdefgh", narrow, 4), 0);
    for (char c : narrow)
        EXPECT_EQ(c, 0);
    EXPECT_EQ(CStdioFileEx::WideToMultiByte(L"ab", narrow, 4), 2);
    EXPECT_STREQ(narrow, "ab");
    EXPECT_EQ(CStdioFileEx::WideToMultiByte(nullptr, narrow, 4), 0);
    EXPECT_EQ(CStdioFileEx::WideToMultiByte(L"ab", narrow, 0), 0);
    EXPECT_EQ(CStdioFileEx::GetRequiredMultiByteLength(L"\u00e9", CP_UTF8), 3);

    wchar_t wide[3];
    wmemset(wide, L'z', 3);
    EXPECT_EQ(CStdioFileEx::MultiByteToWide("abcdef", wide, 3), 0);
    for (wchar_t c : wide)
        EXPECT_EQ(c, 0);
    EXPECT_EQ(CStdioFileEx::MultiByteToWide("\xC3\xA9", wide, 3, CP_UTF8), 1);
    EXPECT_EQ(wide[0], L'\u00e9');
    EXPECT_EQ(CStdioFileEx::GetRequiredWideLength("abc"), 4);
}
