// A list view that always shows rows and columns, with per-cell colours, stripes, rows
// addressed by state masks, moves, typed cells, sorting by header clicks on up to eight
// keys and in-place editing of cells. The parent hears of check changes, sorts and edits
// through the three WM_REPORT_* messages.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <unordered_set>
#include <vector>

#include "controls/ReportEditLogic.h"
#include "controls/ReportSort.h"
#include "framework/CEdit.h"
#include "framework/CListCtrl.h"

class CImageList;

// Sent: a mouse click changed a row's check state. wParam row, lParam the mouse message.
constexpr UINT WM_REPORT_STATECHANGED = WM_APP + 10000;
// Posted after every sort. wParam primary column, lParam 1 ascending, 0 descending.
constexpr UINT WM_REPORT_SORTED = WM_APP + 10001;
// Sent: an in-place edit changed a cell. wParam points to two ints (row, column), valid
// during the call; lParam the list's window.
constexpr UINT WM_REPORT_EDITDONE = WM_APP + 10002;

class CReportCtrl : public CListCtrl
{
public:
    CReportCtrl();
    ~CReportCtrl() override;

    // pRect nullptr: the parent's client area. The style is forced to a report view.
    virtual BOOL Create(CWnd* pParentWnd, UINT nID, const RECT* pRect = nullptr, DWORD dwStyle = 0);
    // Full-row selection and sub-item images are always added. The previous style.
    DWORD SetExtendedStyle(DWORD dwExStyle);
    void ApplyExplorerTheme();
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* GetImageList() const;
    CImageList* SetHeaderImageList(CImageList* pImageList);
    // A negative image takes the image off, so that it leaves the title its whole width.
    BOOL SetHeaderImage(int nColumn, int nImage, BOOL bImageOnLeft = TRUE);
    int GetColumnCount() const;
    BOOL SetSortable(BOOL bSortable);
    BOOL IsSortable() const;

    // ---- rows and cells
    int InsertItem(UINT nMask, int nItem, LPCWSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                   LPARAM lParam);
    int InsertItem(int nItem, LPCWSTR lpszItem) { return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0); }
    int InsertItem(int nItem, LPCWSTR lpszItem, int nImage)
    {
        return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
    }
    int InsertColumn(int nCol, LPCWSTR lpszHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    // Removes the column's colours from every row as well.
    BOOL DeleteColumn(int nCol);
    BOOL DeleteItem(int nItem, BOOL bSelectNextItem = FALSE);
    // dwStates RVIS_ALL: every row, else the rows matching the mask. The number deleted.
    int DeleteAllItems(DWORD dwStates = RVIS_ALL);
    BOOL SetItemText(int nItem, int nSubItem, LPCWSTR lpszText);
    BOOL SetItemText(int nItem, int nSubItem, double value, int nPrecision = -1);
    BOOL SetItemText(int nItem, int nSubItem, const SYSTEMTIME& when);
    BOOL SetItemImage(int nItem, int nSubItem, int nImage);
    int GetItemImage(int nItem, int nSubItem) const;
    BOOL SetItemData(int nItem, DWORD dwData);
    DWORD GetItemData(int nItem) const;
    // An index out of range means every row or column; color (COLORREF)-1 the window colour.
    void SetItemBkColor(int nItem = -1, int nSubItem = -1, COLORREF color = static_cast<COLORREF>(-1),
                        BOOL bRedraw = TRUE);
    COLORREF GetItemBkColor(int nItem, int nSubItem) const;
    COLORREF GetItemTextColor(int nItem, int nSubItem) const;
    void ApplyRowStripes();

    // ---- row states (ReportItemState masks)
    DWORD GetItemStates(int nItem) const;
    BOOL TestItemState(int nItem, DWORD dwStates) const;
    int GetItemCountByState(DWORD dwStates) const;
    int GetNextItemByState(DWORD dwStates, int nStartAfter = -1) const;
    BOOL SetItemStates(int nItem, DWORD dwNewStates);
    int SetAllItemStates(DWORD dwOldStates, DWORD dwNewStates);

    // ---- moving rows; the new index, -1 when the row does not exist or could not move
    int MoveItemTo(int nItem, int nNewIndex);
    int MoveItemBy(int nItem, int nOffset) { return MoveItemTo(nItem, nItem + nOffset); }
    int MoveItemToTop(int nItem) { return MoveItemTo(nItem, -1); }
    int MoveItemToBottom(int nItem) { return MoveItemTo(nItem, 0x7FFFFFFF); }

    // ---- sorting: by the primary key; needs at least one key
    void SortItems(int nFirst, int nLast);
    const std::vector<ColumnSortInfo>& GetSortKeys() const { return m_sortKeys; }

    // ---- in-place editing and check boxes
    void SetEditable(BOOL bEditable);
    BOOL SetColumnEditable(int nColumn);
    BOOL IsColumnEditable(int nColumn) const;
    BOOL IsEditing() const;
    BOOL StartEdit(int nItem, int nSubItem);
    // TRUE when it committed a changed text.
    BOOL EndEdit(BOOL bCommit = TRUE);
    CEdit* GetEditControl() { return m_pEditor.get(); }
    void SetCheckStyle(int nStyle) { m_nCheckStyle = nStyle; }
    int GetCheckStyle() const { return m_nCheckStyle; }

    // Text of column 0 when its editing began; the owner reads it on WM_REPORT_EDITDONE.
    CString m_strEditOriginal;

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // The sort key of a cell; a list whose column reads differently (durations, say)
    // gives its own.
    virtual SortCell GetSortCell(int nColumn, LPCWSTR lpszText) const
    {
        return MakeSortCell(nColumn, lpszText);
    }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnLButtonDown(UINT nFlags, CPoint point) { HandleMouseClick(WM_LBUTTONDOWN, nFlags, point); }
    void OnLButtonDblClk(UINT nFlags, CPoint point) { HandleMouseClick(WM_LBUTTONDBLCLK, nFlags, point); }
    void OnMButtonDown(UINT nFlags, CPoint point) { HandleMouseClick(WM_MBUTTONDOWN, nFlags, point); }
    void OnMButtonDblClk(UINT nFlags, CPoint point) { HandleMouseClick(WM_MBUTTONDBLCLK, nFlags, point); }
    void OnRButtonDown(UINT nFlags, CPoint point) { HandleMouseClick(WM_RBUTTONDOWN, nFlags, point); }
    void OnRButtonDblClk(UINT nFlags, CPoint point) { HandleMouseClick(WM_RBUTTONDBLCLK, nFlags, point); }
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

    DECLARE_MESSAGE_MAP()

private:
    struct RowInfo
    {
        DWORD dwData = 0;
        std::vector<COLORREF> textColors;
        std::vector<COLORREF> backColors;
    };

    static DWORD ForceStyle(DWORD dwStyle);
    RowInfo* GetRowInfo(int nItem) const;
    void AttachRowInfo(int nItem);
    void ReleaseRowInfo(int nItem);
    // The state steps of SetItemStates without the single-check rule.
    BOOL ApplyStates(int nItem, DWORD dwNewStates);
    // Unchecks every checked row but nKeep.
    void UncheckOthers(int nKeep);
    BOOL SortRange(int nFirst, int nLast, int nColumn, BOOL bAscending);
    void HandleMouseClick(UINT message, UINT nFlags, CPoint point);
    BOOL OnCheckChanged(int nItem, bool bOld, bool bNew, UINT message);
    void OnEditKey(EditKey key);
    bool HasColumnHeader() const { return (GetStyle() & LVS_NOCOLUMNHEADER) == 0; }

    // The records this list made: item data that is not one of them (a row put in around
    // the control) is never read or freed as a record.
    std::unordered_set<const RowInfo*> m_records;
    std::vector<ColumnSortInfo> m_sortKeys;
    std::vector<int> m_editableColumns;
    std::unique_ptr<CEdit> m_pEditor;
    BOOL m_bEditable = FALSE;
    int m_nEditRow = -1;
    int m_nEditColumn = -1;
    int m_nCheckStyle = RC_CHKBOX_MULTIPLE;
    DWORD m_dwEditAlignment = 0;
};
