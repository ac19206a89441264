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
    // The list still keeps the keys; the rows are ordered here.
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void SortByKeys();

    DECLARE_MESSAGE_MAP()
};
