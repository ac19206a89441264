#include "app/pages/CRecordedFilesList.h"

#include "app/DurationText.h"

SortCell CRecordedFilesList::MakeCell(int column, LPCWSTR text)
{
    SortCell cell = MakeSortCell(column, text);
    uint64_t seconds = 0;
    if (column == kDurationColumn && DurationText::Parse(text, &seconds))
    {
        cell.parsed = true;
        cell.value = static_cast<double>(seconds);
    }
    return cell;
}
