// Key list, cell comparison, number and date texts and the quicksort, without a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "controls/ReportSort.h"
#include "controls/ReportText.h"

namespace
{
std::vector<int> Columns(const std::vector<ColumnSortInfo>& keys)
{
    std::vector<int> c;
    for (const ColumnSortInfo& k : keys)
        c.push_back(k.nColumn * (k.bAscending ? 1 : -1));
    return c;
}

// Sorts single-key texts of one column; the texts in their new order.
std::vector<std::wstring> SortTexts(int column, std::vector<std::wstring> texts, bool asc = true)
{
    std::vector<SortCell> cells;
    for (const std::wstring& t : texts)
        cells.push_back(MakeSortCell(column, t.c_str()));
    std::vector<int> order(texts.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    SortRowsByKeys(order, cells, 1, asc);
    std::vector<std::wstring> out;
    for (int i : order)
        out.push_back(texts[static_cast<size_t>(i)]);
    return out;
}
} // namespace

TEST(ReportSortKeys, ClicksMakePrimaryFlipAndRestoreStoredDirection)
{
    std::vector<ColumnSortInfo> keys;
    PushSortKey(keys, 2);
    EXPECT_EQ(std::vector<int>({2}), Columns(keys));
    PushSortKey(keys, 2);
    EXPECT_EQ(std::vector<int>({-2}), Columns(keys));
    PushSortKey(keys, 1);
    EXPECT_EQ(std::vector<int>({1, -2}), Columns(keys));
    // An older key comes back with the direction it had, not reversed.
    PushSortKey(keys, 2);
    EXPECT_EQ(std::vector<int>({-2, 1}), Columns(keys));
}

TEST(ReportSortKeys, KeepsOnlyTheEightMostRecent)
{
    std::vector<ColumnSortInfo> keys;
    for (int c = 0; c < 9; ++c)
        PushSortKey(keys, c);
    EXPECT_EQ(std::vector<int>({8, 7, 6, 5, 4, 3, 2, 1}), Columns(keys));
}

TEST(ReportText, NumbersAreWrittenWithPrecisionOrShortest)
{
    EXPECT_STREQ(L"3.14", FormatNumberText(3.14159, 2));
    EXPECT_STREQ(L"3.142", FormatNumberText(3.14159, 3));
    EXPECT_STREQ(L"3.14159", FormatNumberText(3.14159, -1));
    EXPECT_STREQ(L"2", FormatNumberText(2.0, -1));
    EXPECT_STREQ(L"-0.5", FormatNumberText(-0.5, -1));
    EXPECT_STREQ(L"100", FormatNumberText(100.0, -1));
    EXPECT_STREQ(L"0", FormatNumberText(0.0, -1));
}

TEST(ReportText, NumberParsesWholeTextOrUpToFinalPercent)
{
    double v = 0;
    EXPECT_TRUE(ParseNumberText(L"12.5", &v));
    EXPECT_DOUBLE_EQ(12.5, v);
    EXPECT_TRUE(ParseNumberText(L"12.5%", &v));
    EXPECT_DOUBLE_EQ(12.5, v);
    EXPECT_FALSE(ParseNumberText(L"12.5 %", &v));
    EXPECT_FALSE(ParseNumberText(L"12.5MB", &v));
    EXPECT_FALSE(ParseNumberText(L"12%%", &v));
    EXPECT_FALSE(ParseNumberText(L"", &v));
    EXPECT_FALSE(ParseNumberText(L"%", &v));
    EXPECT_FALSE(ParseNumberText(L"nan", &v));
}

TEST(ReportText, DateWrittenIsReadBackAndInvalidDateIsEmpty)
{
    SYSTEMTIME when = {2024, 3, 0, 15, 13, 45, 30, 0};
    CString text = FormatDateText(when);
    ASSERT_FALSE(text.IsEmpty());
    double parsed = 0, expected = 0;
    ASSERT_TRUE(ParseDateText(text, &parsed));
    ASSERT_TRUE(::SystemTimeToVariantTime(&when, &expected));
    EXPECT_NEAR(expected, parsed, 1.0 / 86400);
    SYSTEMTIME bad = {2024, 13, 0, 40, 0, 0, 0, 0};
    EXPECT_TRUE(FormatDateText(bad).IsEmpty());
    EXPECT_FALSE(ParseDateText(L"not a date", &parsed));
    EXPECT_FALSE(ParseDateText(L"", &parsed));
}

TEST(ReportText, AnsiTextIsSizedForTheWholeConversion)
{
    // A UTF-8 code page needs three bytes for each of these, more than two per character.
    std::wstring wide(300, L'\x20AC');
    wide += L"z";
    std::string utf8 = ToAnsiText(wide.c_str(), CP_UTF8);
    ASSERT_EQ(901u, utf8.size());
    EXPECT_EQ('z', utf8.back());
    EXPECT_EQ(-1, CompareAnsiText(ToAnsiText(L"\x20AC\x20AC"
                                             L"a",
                                             CP_UTF8),
                                  ToAnsiText(L"\x20AC\x20AC"
                                             L"b",
                                             CP_UTF8)));
    EXPECT_EQ("abc", ToAnsiText(L"abc"));
    EXPECT_EQ("", ToAnsiText(L""));
}

TEST(ReportCompare, TextIsCaseSensitiveByteOrder)
{
    EXPECT_EQ(std::vector<std::wstring>({L"B", L"a", L"b"}), SortTexts(0, {L"b", L"B", L"a"}));
    EXPECT_EQ(std::vector<std::wstring>({L"b", L"a", L"B"}), SortTexts(0, {L"b", L"B", L"a"}, false));
    EXPECT_EQ(std::vector<std::wstring>({L"ab", L"abc", L"b"}), SortTexts(1, {L"abc", L"b", L"ab"}));
}

TEST(ReportCompare, NumbersByValueAndUnparsedFirstAsText)
{
    EXPECT_EQ(std::vector<std::wstring>({L"9.5", L"10", L"100%"}),
              SortTexts(kNumberColumn, {L"10", L"9.5", L"100%"}));
    EXPECT_EQ(std::vector<std::wstring>({L"", L"n/a", L"x", L"-3", L"2"}),
              SortTexts(kNumberColumn, {L"2", L"x", L"-3", L"", L"n/a"}));
    // The same texts in a text column are compared as text.
    EXPECT_EQ(std::vector<std::wstring>({L"10", L"100%", L"9.5"}), SortTexts(3, {L"10", L"9.5", L"100%"}));
}

TEST(ReportCompare, DatesChronologicallyAndUnparsedFirst)
{
    SYSTEMTIME early = {2020, 1, 0, 2, 8, 0, 0, 0}, late = {2023, 11, 0, 5, 20, 15, 0, 0};
    std::wstring e(FormatDateText(early)), l(FormatDateText(late));
    EXPECT_EQ(std::vector<std::wstring>({L"?", e, l}), SortTexts(kDateColumn, {l, L"?", e}));
}

TEST(ReportCompare, ConsistentForThePartitionScans)
{
    // Every pair: a cell equals itself and swapping reverses the sign.
    const wchar_t* texts[] = {L"", L"x", L"10", L"9.5", L"100%", L"abc", L"-1"};
    for (int column : {0, kNumberColumn, kDateColumn})
    {
        for (const wchar_t* a : texts)
        {
            SortCell ca = MakeSortCell(column, a);
            EXPECT_EQ(0, CompareSortCells(ca, ca));
            for (const wchar_t* b : texts)
            {
                SortCell cb = MakeSortCell(column, b);
                int ab = CompareSortCells(ca, cb), ba = CompareSortCells(cb, ca);
                EXPECT_EQ(ab<0, ba> 0) << a << " " << b;
                EXPECT_EQ(ab == 0, ba == 0) << a << " " << b;
            }
        }
    }
}

TEST(ReportQuickSort, SortsEveryPermutationShapeBothWays)
{
    std::mt19937 random(7);
    for (int n : {0, 1, 2, 3, 10, 257, 2000})
    {
        for (int dup : {1, 3, 1000000})
        {
            std::vector<int> values(static_cast<size_t>(n));
            for (int& v : values)
                v = static_cast<int>(random() % static_cast<unsigned>(dup));
            auto compare = [&values](int a, int b)
            { return values[static_cast<size_t>(a)] - values[static_cast<size_t>(b)]; };
            for (bool asc : {true, false})
            {
                std::vector<int> rows(values.size());
                for (size_t i = 0; i < rows.size(); ++i)
                    rows[i] = static_cast<int>(i);
                if (n > 0)
                    QuickSortRows(rows.data(), 0, n - 1, compare, asc);
                std::vector<int> seen(rows);
                std::sort(seen.begin(), seen.end());
                for (size_t i = 0; i < seen.size(); ++i)
                    ASSERT_EQ(static_cast<int>(i), seen[i]); // a permutation
                for (size_t i = 1; i < rows.size(); ++i)
                {
                    int c = compare(rows[i - 1], rows[i]);
                    ASSERT_TRUE(asc ? c <= 0 : c >= 0) << n << " " << dup;
                }
            }
        }
    }
}

TEST(ReportQuickSort, TiesBrokenByLaterKeysInPrimaryDirection)
{
    // Rows: (a,1) (b,2) (a,3) (b,1)
    const wchar_t* cells[][2] = {{L"a", L"1"}, {L"b", L"2"}, {L"a", L"3"}, {L"b", L"1"}};
    std::vector<SortCell> table;
    for (auto& row : cells)
    {
        table.push_back(MakeSortCell(0, row[0]));
        table.push_back(MakeSortCell(kNumberColumn, row[1]));
    }
    std::vector<int> order = {0, 1, 2, 3};
    SortRowsByKeys(order, table, 2, true);
    EXPECT_EQ(std::vector<int>({0, 2, 3, 1}), order);
    SortRowsByKeys(order, table, 2, false);
    EXPECT_EQ(std::vector<int>({1, 3, 2, 0}), order);
}
