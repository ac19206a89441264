// Sorting of the report list, apart from the window: the header-click key list, the cell
// comparison by column type and the quicksort over row indices.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ColumnSortInfo
{
    int nColumn;
    BOOL bAscending;
};

constexpr int kMaxSortKeys = 8;
// Fixed column types of every report list: dates in column 4, numbers in column 5.
constexpr int kDateColumn = 4;
constexpr int kNumberColumn = 5;

// A header click on column: it becomes the primary key (a primary key flips its
// direction, an older key comes back with the direction it had); at most 8 keys stay.
void PushSortKey(std::vector<ColumnSortInfo>& keys, int column);

// Text of a cell together with what the comparison needs of it, worked out once per cell.
struct SortCell
{
    std::string ansi; // the text in the ANSI code page
    bool parsed = false;
    double value = 0; // number, or date as a variant time
};

SortCell MakeSortCell(int column, LPCWSTR text);
// < 0, 0, > 0 in ascending sense. A number or date that does not parse sorts before one
// that does; two that do not compare as text.
int CompareSortCells(const SortCell& a, const SortCell& b);
// Unsigned byte order of the two texts, to the first difference or the end.
int CompareAnsiText(const std::string& a, const std::string& b);

// Hoare quicksort of rows[lo..hi] with compare(rowA, rowB) in ascending sense; asc FALSE
// reverses the whole comparison. Not stable.
template <class Compare> void QuickSortRows(int* rows, int lo, int hi, Compare compare, bool asc)
{
    while (lo < hi)
    {
        const int pivot = rows[lo + (hi - lo) / 2];
        int i = lo, j = hi;
        do
        {
            if (asc)
            {
                while (compare(rows[i], pivot) < 0)
                    ++i;
                while (compare(rows[j], pivot) > 0)
                    --j;
            }
            else
            {
                while (compare(rows[i], pivot) > 0)
                    ++i;
                while (compare(rows[j], pivot) < 0)
                    --j;
            }
            if (j < i)
                break;
            if (i != j)
            {
                int t = rows[i];
                rows[i] = rows[j];
                rows[j] = t;
            }
            --j;
            ++i;
        } while (j >= i);
        if (lo < j)
            QuickSortRows(rows, lo, j, compare, asc);
        lo = i;
    }
}

// Sorts row indices first..last of a table of key cells (cells[row * nKeys + key]).
void SortRowsByKeys(std::vector<int>& rows, const std::vector<SortCell>& cells, int nKeys, bool asc);
