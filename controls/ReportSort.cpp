#include "controls/ReportSort.h"

#include "controls/ReportText.h"

void PushSortKey(std::vector<ColumnSortInfo>& keys, int column)
{
    ColumnSortInfo key = {column, TRUE};
    for (size_t i = 0; i < keys.size(); ++i)
    {
        if (keys[i].nColumn == column)
        {
            key.bAscending = i == 0 ? !keys[i].bAscending : keys[i].bAscending;
            keys.erase(keys.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    keys.insert(keys.begin(), key);
    if (keys.size() > static_cast<size_t>(kMaxSortKeys))
        keys.resize(kMaxSortKeys);
}

SortCell MakeSortCell(int column, LPCWSTR text)
{
    SortCell cell;
    cell.ansi = ToAnsiText(text);
    if (column == kDateColumn)
        cell.parsed = ParseDateText(text, &cell.value);
    else if (column == kNumberColumn)
        cell.parsed = ParseNumberText(text, &cell.value);
    return cell;
}

int CompareAnsiText(const std::string& a, const std::string& b)
{
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i)
    {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

int CompareSortCells(const SortCell& a, const SortCell& b)
{
    if (a.parsed && b.parsed)
        return a.value < b.value ? -1 : (b.value < a.value ? 1 : 0);
    if (a.parsed != b.parsed)
        return a.parsed ? 1 : -1;
    return CompareAnsiText(a.ansi, b.ansi);
}

void SortRowsByKeys(std::vector<int>& rows, const std::vector<SortCell>& cells, int nKeys, bool asc)
{
    if (rows.size() < 2 || nKeys <= 0)
        return;
    auto compare = [&cells, nKeys](int r1, int r2)
    {
        const SortCell* a = &cells[static_cast<size_t>(r1) * nKeys];
        const SortCell* b = &cells[static_cast<size_t>(r2) * nKeys];
        for (int k = 0; k < nKeys; ++k)
        {
            int result = CompareSortCells(a[k], b[k]);
            if (result != 0)
                return result;
        }
        return 0;
    };
    QuickSortRows(rows.data(), 0, static_cast<int>(rows.size()) - 1, compare, asc);
}
