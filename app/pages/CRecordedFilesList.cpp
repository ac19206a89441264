#include "app/pages/CRecordedFilesList.h"

#include <vector>

#include "app/DurationText.h"

BEGIN_MESSAGE_MAP(CRecordedFilesList, CReportCtrl)
ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, &CRecordedFilesList::OnColumnClick)
END_MESSAGE_MAP()

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

void CRecordedFilesList::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    // The base records the key and ends an edit; with sorting off for that moment it
    // leaves the rows alone.
    const BOOL sortable = IsSortable();
    if (sortable)
        SetSortable(FALSE);
    CReportCtrl::OnColumnClick(pNMHDR, pResult);
    if (!sortable)
        return;
    SetSortable(TRUE);
    const int column = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
    if (static_cast<unsigned>(column) < static_cast<unsigned>(GetColumnCount()))
    {
        SortByKeys();
        *pResult = 0;
    }
}

void CRecordedFilesList::SortByKeys()
{
    const std::vector<ColumnSortInfo>& keys = GetSortKeys();
    if (keys.empty())
        return;
    const int n = GetItemCount();
    const int columns = GetColumnCount();
    if (n > 1)
    {
        const int nKeys = static_cast<int>(keys.size());
        std::vector<SortCell> cells(static_cast<size_t>(n) * static_cast<size_t>(nKeys));
        for (int r = 0; r < n; ++r)
            for (int k = 0; k < nKeys; ++k)
                cells[static_cast<size_t>(r) * nKeys + k] =
                    MakeCell(keys[static_cast<size_t>(k)].nColumn,
                             GetItemText(r, keys[static_cast<size_t>(k)].nColumn));
        std::vector<int> order(static_cast<size_t>(n));
        for (int r = 0; r < n; ++r)
            order[static_cast<size_t>(r)] = r;
        SortRowsByKeys(order, cells, nKeys, keys.front().bAscending != FALSE);

        // Every row as it stands, then written back in the new order; the row's record
        // (value and colours) travels in its item data.
        struct Snapshot
        {
            DWORD states;
            DWORD_PTR record;
            std::vector<int> images;
            std::vector<CString> texts;
        };
        std::vector<Snapshot> rows(static_cast<size_t>(n));
        for (int r = 0; r < n; ++r)
        {
            Snapshot& s = rows[static_cast<size_t>(r)];
            s.states = GetItemStates(r);
            s.record = CListCtrl::GetItemData(r);
            s.images.resize(static_cast<size_t>(columns));
            s.texts.resize(static_cast<size_t>(columns));
            for (int c = 0; c < columns; ++c)
            {
                s.images[static_cast<size_t>(c)] = GetItemImage(r, c);
                s.texts[static_cast<size_t>(c)] = GetItemText(r, c);
            }
        }
        SetRedraw(FALSE);
        for (int i = 0; i < n; ++i)
        {
            const int from = order[static_cast<size_t>(i)];
            if (from == i)
                continue;
            const Snapshot& s = rows[static_cast<size_t>(from)];
            SetItemStates(i, s.states);
            CListCtrl::SetItemData(i, s.record);
            for (int c = 0; c < columns; ++c)
            {
                SetItemImage(i, c, s.images[static_cast<size_t>(c)]);
                CListCtrl::SetItemText(i, c, s.texts[static_cast<size_t>(c)]);
            }
        }
        SetRedraw(TRUE);
    }
    ::PostMessageW(::GetParent(m_hWnd), WM_REPORT_SORTED, static_cast<WPARAM>(keys.front().nColumn),
                   keys.front().bAscending ? 1 : 0);
    ApplyRowStripes();
}
