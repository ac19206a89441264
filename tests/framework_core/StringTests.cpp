#include <gtest/gtest.h>

#include <cwchar>
#include <stdexcept>

#include "framework/CArray.h"
#include "framework/CString.h"
#include "framework/TextConvert.h"

namespace
{
CString Fmt(LPCWSTR format, ...)
{
    va_list args;
    va_start(args, format);
    CString s;
    s.FormatV(format, args);
    va_end(args);
    return s;
}
} // namespace

// gtest prints CString through its LPCWSTR conversion.
#define EXPECT_STR(expected, actual) EXPECT_STREQ(expected, static_cast<LPCWSTR>(actual))

TEST(CStringFormat, WideAndNarrowStringsFollowTheWindowsConvention)
{
    EXPECT_STR(L"a (2).wav", Fmt(L"%s (%d)%s", L"a", 2, L".wav"));
    EXPECT_STR(L"narrow: abc", Fmt(L"narrow: %S", "abc"));
    EXPECT_STR(L"[x]", Fmt(L"[%c]", L'x'));
}

TEST(CStringFormat, NumbersWidthsAndPrecision)
{
    LONGLONG big = -1234567890123LL;
    EXPECT_STR(L"-1234567890123", Fmt(L"%I64d", big));
    EXPECT_STR(L"-1234567890123", Fmt(L"%lld", big));
    EXPECT_STR(L"18446744073709551615", Fmt(L"%I64u", ~0ULL));
    EXPECT_STR(L"3.14", Fmt(L"%.2f", 3.14159));
    EXPECT_STR(L"  2.3| -1.0", Fmt(L"%5.1f|%5.1f", 2.26, -1.04));
    EXPECT_STR(L"05:07", Fmt(L"%02d:%02d", 5, 7));
    EXPECT_STR(L"ff FF", Fmt(L"%x %X", 255, 255));
    EXPECT_STR(L"100%", Fmt(L"%d%%", 100));
    EXPECT_STR(L"Error number: -9996    Error message: Invalid device.",
               Fmt(L"Error number: %d    Error message: %S.", -9996, "Invalid device"));
}

TEST(CStringFormat, LongOutputsAreNotCut)
{
    CString longText(L'q', 3000);
    CString s;
    s.Format(L"<%s> %d", longText.GetString(), 42);
    ASSERT_EQ(3000 + 5, s.GetLength());
    EXPECT_EQ(L'<', s[0]);
    EXPECT_EQ(L'q', s[2999]);
    EXPECT_STR(L"> 42", s.Right(4));

    // Appending keeps what was there, even past the first kilobyte.
    s.AppendFormat(L"%s", longText.GetString());
    EXPECT_EQ(6005, s.GetLength());
}

TEST(CStringFormat, AnArgumentMayPointIntoTheStringItself)
{
    CString s(L"abc");
    s.Format(L"<%s>", s.GetString());
    EXPECT_STR(L"<abc>", s);
    s.AppendFormat(L"%s", s.GetString());
    EXPECT_STR(L"<abc><abc>", s);
}

TEST(CStringSearch, FindRespectsStartAndRange)
{
    CString s(L"abcabc");
    EXPECT_EQ(3, s.Find(L'a', 1));
    EXPECT_EQ(-1, s.Find(L'a', 4));
    EXPECT_EQ(-1, s.Find(L'a', -1));
    EXPECT_EQ(-1, s.Find(L'a', 6));
    EXPECT_EQ(4, s.Find(L"bc", 2));
    EXPECT_EQ(6, s.Find(L"", 6)); // an empty text is found where the search starts
    EXPECT_EQ(-1, s.Find(L"", 7));
    EXPECT_EQ(-1, s.Find(L"abcd"));
    EXPECT_EQ(5, s.ReverseFind(L'c'));
    EXPECT_EQ(-1, s.ReverseFind(L'z'));
    EXPECT_EQ(1, s.FindOneOf(L"cb"));
    EXPECT_EQ(-1, CString().Find(L'a'));
}

TEST(CStringEdit, ReplaceCountsAndDoesNotRescanItsOwnOutput)
{
    CString s(L"aaaa");
    EXPECT_EQ(2, s.Replace(L"aa", L"b"));
    EXPECT_STR(L"bb", s);

    s = L"aXa";
    EXPECT_EQ(2, s.Replace(L"a", L"aa"));
    EXPECT_STR(L"aaXaa", s);
    EXPECT_EQ(0, s.Replace(L"", L"z"));
    EXPECT_EQ(1, s.Replace(L"X", nullptr));
    EXPECT_STR(L"aaaa", s);

    s = L" - Input Mic - Input";
    EXPECT_EQ(2, s.Replace(L" - Input", L""));
    EXPECT_STR(L" Mic", s);

    s = L"a.b.c";
    EXPECT_EQ(2, s.Replace(L'.', L'_'));
    EXPECT_STR(L"a_b_c", s);
    EXPECT_EQ(2, s.Remove(L'_'));
    EXPECT_STR(L"abc", s);
}

TEST(CStringEdit, InsertAndDeleteClampPositions)
{
    CString s(L"ace");
    EXPECT_EQ(4, s.Insert(1, L'b'));
    EXPECT_EQ(5, s.Insert(3, L"d"));
    EXPECT_STR(L"abcde", s);
    EXPECT_EQ(6, s.Insert(99, L"!"));
    EXPECT_EQ(7, s.Insert(-5, L"<"));
    EXPECT_STR(L"<abcde!", s);

    EXPECT_EQ(5, s.Delete(0, 2));  // "<a"
    EXPECT_EQ(3, s.Delete(3, 10)); // past the end: what is there
    EXPECT_STR(L"bcd", s);
    EXPECT_EQ(3, s.Delete(3));
    EXPECT_EQ(3, s.Delete(1, -1));
    EXPECT_EQ(2, s.Delete(-4)); // clamped to index 0
    EXPECT_STR(L"cd", s);
}

TEST(CStringEdit, TrimWhiteSpaceAndCharacterSets)
{
    CString s(L" \t\r\n a b \r\n");
    s.Trim();
    EXPECT_STR(L"a b", s);

    s = L"xyaxyx";
    s.Trim(L"xy");
    EXPECT_STR(L"a", s);

    s = L"007";
    s.TrimLeft(L'0');
    EXPECT_STR(L"7", s);

    s = L"C:\\Music\\\\";
    s.TrimRight(L'\\');
    EXPECT_STR(L"C:\\Music", s);

    s = L"   ";
    s.TrimRight();
    EXPECT_TRUE(s.IsEmpty());
    s = L"\t";
    s.TrimLeft();
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CStringEdit, LeftMidRightAreClamped)
{
    CString s(L"abcdef");
    EXPECT_STR(L"ab", s.Left(2));
    EXPECT_STR(L"", s.Left(-1));
    EXPECT_STR(L"abcdef", s.Left(99));
    EXPECT_STR(L"cdef", s.Mid(2));
    EXPECT_STR(L"cd", s.Mid(2, 2));
    EXPECT_STR(L"ab", s.Mid(-3, 2));
    EXPECT_STR(L"", s.Mid(6));
    EXPECT_STR(L"", s.Mid(10, 2));
    EXPECT_STR(L"ef", s.Mid(4, 0x7FFFFFFF));
    EXPECT_STR(L"", s.Mid(2, -1));
    EXPECT_STR(L"ef", s.Right(2));
    EXPECT_STR(L"abcdef", s.Right(99));
    EXPECT_STR(L"", s.Right(-2));
}

TEST(CStringEdit, SpanExcludingAndTokenize)
{
    EXPECT_STR(L"Output", CString(L"Output\\Untitled").SpanExcluding(L"\\/"));
    EXPECT_STR(L"abc", CString(L"abc").SpanExcluding(L";"));

    CString list(L";;wav;;mp3;ogg;");
    int pos = 0;
    EXPECT_STR(L"wav", list.Tokenize(L";", pos));
    EXPECT_STR(L"mp3", list.Tokenize(L";", pos));
    EXPECT_STR(L"ogg", list.Tokenize(L";", pos));
    EXPECT_STR(L"", list.Tokenize(L";", pos));
    EXPECT_EQ(-1, pos);
    EXPECT_STR(L"", list.Tokenize(L";", pos)); // stays at the end
    EXPECT_EQ(-1, pos);

    pos = 0;
    EXPECT_STR(L"", CString(L";;;").Tokenize(L";", pos));
    EXPECT_EQ(-1, pos);
}

TEST(CStringCase, CaseFoldingCoversNonAsciiLetters)
{
    CString s(L"\x00e9t\x00e9 Mp3");
    s.MakeUpper();
    EXPECT_STR(L"\x00c9T\x00c9 MP3", s);
    s.MakeLower();
    EXPECT_STR(L"\x00e9t\x00e9 mp3", s);

    EXPECT_EQ(0, CString(L"C:\\Out\\\x00c9T\x00c9.WAV").CompareNoCase(L"c:\\out\\\x00e9t\x00e9.wav"));
    EXPECT_LT(CString(L"abc").CompareNoCase(L"ABD"), 0);
    EXPECT_GT(CString(L"abd").Compare(L"abc"), 0);
    EXPECT_LT(CString(L"B").Compare(L"a"), 0); // ordinal: upper case sorts first
    EXPECT_EQ(CString(L"abc"), L"abc");
    EXPECT_TRUE(L"abc" != CString(L"abd"));
    EXPECT_TRUE(CString(L"a") < CString(L"b"));
    EXPECT_EQ(CString(), L"");
}

TEST(CStringBuffer, GetBufferAndReleaseBuffer)
{
    CString s;
    wcscpy(s.GetBuffer(10), L"hello");
    s.ReleaseBuffer();
    EXPECT_EQ(5, s.GetLength());
    EXPECT_STR(L"hello", s);

    // An existing text stays in the buffer and can be extended in place.
    LPWSTR p = s.GetBuffer(20);
    EXPECT_EQ(0, wcsncmp(p, L"hello", 5));
    wcscpy(p + 5, L" world");
    s.ReleaseBuffer();
    EXPECT_STR(L"hello world", s);

    // An explicit length wins over the terminator.
    p = s.GetBufferSetLength(3);
    p[0] = p[1] = p[2] = L'x';
    s.ReleaseBuffer(2);
    EXPECT_STR(L"xx", s);

    // A smaller minimum than the length still leaves the whole text.
    p = s.GetBuffer(1);
    EXPECT_EQ(L'x', p[1]);
    s.ReleaseBuffer();
    EXPECT_STR(L"xx", s);

    CString empty;
    empty.GetBuffer(0)[0] = L'\0';
    empty.ReleaseBuffer();
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(CStringBasics, ConstructionConcatenationAndMove)
{
    EXPECT_STR(L"---", CString(L'-', 3));
    EXPECT_STR(L"", CString(L'-', 0));
    EXPECT_STR(L"ab", CString(L"abc", 2));
    EXPECT_STR(L"", CString(static_cast<LPCWSTR>(nullptr)));
    EXPECT_STR(L"narrow", CString("narrow"));

    CString dir(L"C:\\Out");
    CString path = dir + L'\\' + L"Untitled" + CString(L".wav");
    EXPECT_STR(L"C:\\Out\\Untitled.wav", path);
    EXPECT_STR(L"(C:\\Out)", L'(' + dir + L")");

    CString moved(std::move(path));
    EXPECT_STR(L"C:\\Out\\Untitled.wav", moved);
    EXPECT_TRUE(path.IsEmpty());

    moved.SetAt(0, L'D');
    EXPECT_EQ(L'D', moved.GetAt(0));
    moved.Empty();
    EXPECT_TRUE(moved.IsEmpty());
}

TEST(CStringResources, LoadStringFromTheProgram)
{
    CString s(L"old");
    EXPECT_TRUE(s.LoadString(101));
    EXPECT_STR(L"Recording", s);
    EXPECT_TRUE(s.LoadString(102));
    EXPECT_STR(L"Gr\x00fc\x00df", s);
    EXPECT_FALSE(s.LoadString(4711));
    EXPECT_TRUE(s.IsEmpty());
}

TEST(TextConvert, CodePagesAndTheDefaultCharacter)
{
    EXPECT_STR(L"caf\x00e9", AnsiToWide("caf\xe9", 1252));
    EXPECT_STR(L"ab", AnsiToWide("abc", 1252, 2));
    EXPECT_STR(L"", AnsiToWide(nullptr));
    EXPECT_STR(L"\x4e2d", AnsiToWide("\xe4\xb8\xad", CP_UTF8));

    EXPECT_EQ("caf\xe9", WideToAnsi(L"caf\x00e9", 1252));
    EXPECT_EQ("a#b", WideToAnsi(L"a\x4e2d"
                                L"b",
                                1252));
    EXPECT_EQ("a?b", WideToAnsi(L"a\x4e2d"
                                L"b",
                                1252, '?'));
    EXPECT_EQ("\xe4\xb8\xad", WideToAnsi(L"\x4e2d", CP_UTF8));
    EXPECT_EQ("", WideToAnsi(L""));
}

TEST(CArray, InsertRemoveAndBounds)
{
    CUIntArray columns;
    columns.Add(3);
    columns.InsertAt(3, 7); // past the end: grows with zeros first
    ASSERT_EQ(4, columns.GetSize());
    EXPECT_EQ(0u, columns[1]);
    EXPECT_EQ(7u, columns[3]);
    columns.RemoveAt(1, 99);
    EXPECT_EQ(1, columns.GetCount());
    EXPECT_THROW(columns.GetAt(5), std::out_of_range);

    CStringArray names;
    names.Add(L"b");
    names.InsertAt(0, names[0], 2); // an element of the array itself
    EXPECT_EQ(3, names.GetSize());
    EXPECT_STR(L"b", names[0]);
}
