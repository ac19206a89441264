// The list of the File page: the report list, with the Duration column sorted by length
// rather than as text (its hours run past two digits).
#pragma once

#include "controls/CReportCtrl.h"

class CRecordedFilesList : public CReportCtrl
{
public:
    static constexpr int kDurationColumn = 3;

    // The sort cell of a column: durations as seconds, the others as the list keys them.
    static SortCell MakeCell(int column, LPCWSTR text);

protected:
    SortCell GetSortCell(int nColumn, LPCWSTR lpszText) const override { return MakeCell(nColumn, lpszText); }
};
