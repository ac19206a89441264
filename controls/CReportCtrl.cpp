#include "controls/CReportCtrl.h"

#include <uxtheme.h>

#include "controls/ReportText.h"
#include "framework/CHeaderCtrl.h"
#include "framework/CImageList.h"

namespace
{
constexpr DWORD kStyleCleared = LVS_NOSCROLL | LVS_EDITLABELS | 0x0002;
constexpr DWORD kStyleForced = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | LVS_REPORT;
constexpr DWORD kExStyleForced = LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES;

// Window updates of one window stay locked while alive.
class UpdateLock
{
public:
    explicit UpdateLock(CWnd& wnd) : m_locked(wnd.LockWindowUpdate() != FALSE) {}
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;
    ~UpdateLock()
    {
        if (m_locked)
            ::LockWindowUpdate(nullptr);
    }

private:
    bool m_locked;
};

struct ModuleDeleter
{
    void operator()(HMODULE h) const { ::FreeLibrary(h); }
};
using ModuleHandle = std::unique_ptr<std::remove_pointer<HMODULE>::type, ModuleDeleter>;

// A row as it stands, to be written back elsewhere.
struct RowSnapshot
{
    DWORD states = 0;
    LPARAM record = 0;
    std::vector<int> images;
    std::vector<CString> texts;
};
} // namespace

BEGIN_MESSAGE_MAP(CReportCtrl, CListCtrl)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CReportCtrl::OnCustomDraw)
ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, &CReportCtrl::OnColumnClick)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_MBUTTONDOWN()
ON_WM_MBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONDBLCLK()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

CReportCtrl::CReportCtrl() : m_pEditor(std::make_unique<CEdit>()) {}

CReportCtrl::~CReportCtrl()
{
    if (m_pEditor && m_pEditor->m_hWnd)
        m_pEditor->DestroyWindow();
    // Left only when the window went without WM_DESTROY reaching this object.
    for (const RowInfo* info : m_records)
        delete info;
}

// ---------------------------------------------------------------- creation and style

DWORD CReportCtrl::ForceStyle(DWORD dwStyle)
{
    return (dwStyle & ~kStyleCleared) | kStyleForced;
}

BOOL CReportCtrl::Create(CWnd* pParentWnd, UINT nID, const RECT* pRect, DWORD dwStyle)
{
    CRect rect;
    if (pRect)
        rect = *pRect;
    else if (pParentWnd)
        pParentWnd->GetClientRect(&rect);
    return CListCtrl::Create(ForceStyle(dwStyle), rect, pParentWnd, nID);
}

BOOL CReportCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style = static_cast<LONG>(ForceStyle(static_cast<DWORD>(cs.style)));
    return CListCtrl::PreCreateWindow(cs);
}

void CReportCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    ModifyStyle(kStyleCleared, kStyleForced);
    CListCtrl::SetExtendedStyle(kExStyleForced);
}

int CReportCtrl::OnCreate(LPCREATESTRUCT)
{
    if (Default() == -1)
        return -1;
    ModifyStyle(kStyleCleared, kStyleForced);
    CListCtrl::SetExtendedStyle(GetExtendedStyle() | kExStyleForced);
    return 0;
}

void CReportCtrl::OnDestroy()
{
    DeleteAllItems(RVIS_ALL);
    if (m_pEditor->m_hWnd)
        m_pEditor->DestroyWindow();
    Default();
}

DWORD CReportCtrl::SetExtendedStyle(DWORD dwExStyle)
{
    return CListCtrl::SetExtendedStyle(dwExStyle | kExStyleForced);
}

void CReportCtrl::ApplyExplorerTheme()
{
    // Loaded by hand: older systems have no theme library at all.
    ModuleHandle uxtheme(::LoadLibraryW(L"UxTheme.dll"));
    if (!uxtheme)
        return;
    using OpenFn = HTHEME(WINAPI*)(HWND, LPCWSTR);
    using CloseFn = HRESULT(WINAPI*)(HTHEME);
    using SetFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    auto open =
        reinterpret_cast<OpenFn>(reinterpret_cast<void*>(::GetProcAddress(uxtheme.get(), "OpenThemeData")));
    auto close =
        reinterpret_cast<CloseFn>(reinterpret_cast<void*>(::GetProcAddress(uxtheme.get(), "CloseThemeData")));
    auto set =
        reinterpret_cast<SetFn>(reinterpret_cast<void*>(::GetProcAddress(uxtheme.get(), "SetWindowTheme")));
    if (!open || !close || !set)
        return;
    HTHEME theme = open(m_hWnd, L"ListView");
    if (!theme)
        return; // no visual style active
    close(theme);
    set(m_hWnd, L"Explorer", nullptr);
}

CImageList* CReportCtrl::SetImageList(CImageList* pImageList)
{
    return CListCtrl::SetImageList(pImageList, LVSIL_SMALL);
}

CImageList* CReportCtrl::GetImageList() const
{
    return CListCtrl::GetImageList(LVSIL_SMALL);
}

CImageList* CReportCtrl::SetHeaderImageList(CImageList* pImageList)
{
    CHeaderCtrl* header = GetHeaderCtrl();
    return header ? header->SetImageList(pImageList) : nullptr;
}

BOOL CReportCtrl::SetHeaderImage(int nColumn, int nImage, BOOL bImageOnLeft)
{
    CHeaderCtrl* header = GetHeaderCtrl();
    if (!header)
        return FALSE;
    if (!header->GetImageList())
        header->SetImageList(GetImageList());
    HDITEMW item = {};
    item.mask = HDI_FORMAT;
    if (!header->GetItem(nColumn, &item))
        return FALSE;
    item.mask = HDI_FORMAT | HDI_IMAGE;
    if (nImage < 0)
    {
        item.fmt &= ~(HDF_IMAGE | HDF_BITMAP_ON_RIGHT);
        item.iImage = I_IMAGENONE;
        return header->SetItem(nColumn, &item);
    }
    item.fmt |= HDF_IMAGE;
    if (!bImageOnLeft)
        item.fmt |= HDF_BITMAP_ON_RIGHT;
    item.iImage = nImage;
    return header->SetItem(nColumn, &item);
}

int CReportCtrl::GetColumnCount() const
{
    CHeaderCtrl* header = GetHeaderCtrl();
    return header ? header->GetItemCount() : 0;
}

BOOL CReportCtrl::SetSortable(BOOL bSortable)
{
    CHeaderCtrl* header = GetHeaderCtrl();
    if (!HasColumnHeader() || !header)
        return FALSE;
    header->ModifyStyle(bSortable ? 0 : HDS_BUTTONS, bSortable ? HDS_BUTTONS : 0);
    header->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    return TRUE;
}

BOOL CReportCtrl::IsSortable() const
{
    CHeaderCtrl* header = GetHeaderCtrl();
    return HasColumnHeader() && header && (header->GetStyle() & HDS_BUTTONS) != 0;
}

// ---------------------------------------------------------------- row records

CReportCtrl::RowInfo* CReportCtrl::GetRowInfo(int nItem) const
{
    if (nItem < 0 || nItem >= GetItemCount())
        return nullptr;
    auto* info = reinterpret_cast<RowInfo*>(CListCtrl::GetItemData(nItem));
    return m_records.count(info) ? info : nullptr;
}

void CReportCtrl::AttachRowInfo(int nItem)
{
    auto info = std::make_unique<RowInfo>();
    info->dwData = static_cast<DWORD>(CListCtrl::GetItemData(nItem));
    const size_t columns = static_cast<size_t>(GetColumnCount());
    info->textColors.assign(columns, ::GetSysColor(COLOR_WINDOWTEXT));
    info->backColors.assign(columns, ::GetSysColor(COLOR_WINDOW));
    if (CListCtrl::SetItemData(nItem, reinterpret_cast<DWORD_PTR>(info.get())))
        m_records.insert(info.release());
}

void CReportCtrl::ReleaseRowInfo(int nItem)
{
    std::unique_ptr<RowInfo> info(GetRowInfo(nItem));
    if (!info)
        return;
    CListCtrl::SetItemData(nItem, 0);
    m_records.erase(info.get());
}

// ---------------------------------------------------------------- rows and cells

int CReportCtrl::InsertItem(UINT nMask, int nItem, LPCWSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                            LPARAM lParam)
{
    EndEdit(TRUE);
    int index = CListCtrl::InsertItem(nMask, nItem, lpszItem, nState, nStateMask, nImage, lParam);
    if (index >= 0)
        AttachRowInfo(index);
    return index;
}

int CReportCtrl::InsertColumn(int nCol, LPCWSTR lpszHeading, int nFormat, int nWidth, int nSubItem)
{
    EndEdit(TRUE);
    int index = CListCtrl::InsertColumn(nCol, lpszHeading, nFormat, nWidth, nSubItem);
    if (index < 0)
        return index;
    const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT), back = ::GetSysColor(COLOR_WINDOW);
    for (int row = 0, n = GetItemCount(); row < n; ++row)
    {
        if (RowInfo* info = GetRowInfo(row))
        {
            size_t at = static_cast<size_t>(index) < info->backColors.size() ? static_cast<size_t>(index)
                                                                             : info->backColors.size();
            info->textColors.insert(info->textColors.begin() + static_cast<std::ptrdiff_t>(at), text);
            info->backColors.insert(info->backColors.begin() + static_cast<std::ptrdiff_t>(at), back);
        }
    }
    return index;
}

BOOL CReportCtrl::DeleteColumn(int nCol)
{
    EndEdit(TRUE);
    if (!CListCtrl::DeleteColumn(nCol))
        return FALSE;
    for (int row = 0, n = GetItemCount(); row < n; ++row)
    {
        RowInfo* info = GetRowInfo(row);
        if (info && static_cast<size_t>(nCol) < info->backColors.size())
        {
            info->textColors.erase(info->textColors.begin() + nCol);
            info->backColors.erase(info->backColors.begin() + nCol);
        }
    }
    return TRUE;
}

BOOL CReportCtrl::DeleteItem(int nItem, BOOL bSelectNextItem)
{
    if (IsEditing())
        EndEdit(m_nEditRow != nItem);
    if (bSelectNextItem)
        SetItemStates(nItem + 1, RVIS_SELECTED);
    ReleaseRowInfo(nItem);
    return CListCtrl::DeleteItem(nItem);
}

int CReportCtrl::DeleteAllItems(DWORD dwStates)
{
    EndEdit(FALSE);
    UpdateLock lock(*this);
    if (dwStates & RVIS_ALL)
    {
        const int count = GetItemCount();
        for (int row = 0; row < count; ++row)
            ReleaseRowInfo(row);
        CListCtrl::DeleteAllItems();
        return count;
    }
    int deleted = 0;
    for (int row = 0; row < GetItemCount();)
    {
        if (TestItemState(row, dwStates) && DeleteItem(row, FALSE))
            ++deleted;
        else
            ++row;
    }
    return deleted;
}

BOOL CReportCtrl::SetItemText(int nItem, int nSubItem, LPCWSTR lpszText)
{
    EndEdit(TRUE);
    return CListCtrl::SetItemText(nItem, nSubItem, lpszText);
}

BOOL CReportCtrl::SetItemText(int nItem, int nSubItem, double value, int nPrecision)
{
    return SetItemText(nItem, nSubItem, static_cast<LPCWSTR>(FormatNumberText(value, nPrecision)));
}

BOOL CReportCtrl::SetItemText(int nItem, int nSubItem, const SYSTEMTIME& when)
{
    return SetItemText(nItem, nSubItem, static_cast<LPCWSTR>(FormatDateText(when)));
}

BOOL CReportCtrl::SetItemImage(int nItem, int nSubItem, int nImage)
{
    return CListCtrl::SetItem(nItem, nSubItem, LVIF_IMAGE, nullptr, nImage, 0, 0, 0);
}

int CReportCtrl::GetItemImage(int nItem, int nSubItem) const
{
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    return GetItem(&item) ? item.iImage : -1;
}

BOOL CReportCtrl::SetItemData(int nItem, DWORD dwData)
{
    RowInfo* info = GetRowInfo(nItem);
    if (!info)
        return FALSE;
    info->dwData = dwData;
    return TRUE;
}

DWORD CReportCtrl::GetItemData(int nItem) const
{
    RowInfo* info = GetRowInfo(nItem);
    return info ? info->dwData : 0;
}

void CReportCtrl::SetItemBkColor(int nItem, int nSubItem, COLORREF color, BOOL bRedraw)
{
    if (color == static_cast<COLORREF>(-1))
        color = ::GetSysColor(COLOR_WINDOW);
    const int rows = GetItemCount(), columns = GetColumnCount();
    const bool oneRow = nItem >= 0 && nItem < rows, oneColumn = nSubItem >= 0 && nSubItem < columns;
    for (int row = oneRow ? nItem : 0; row < (oneRow ? nItem + 1 : rows); ++row)
    {
        RowInfo* info = GetRowInfo(row);
        if (!info)
            continue;
        for (int column = oneColumn ? nSubItem : 0; column < (oneColumn ? nSubItem + 1 : columns); ++column)
        {
            if (static_cast<size_t>(column) < info->backColors.size())
                info->backColors[static_cast<size_t>(column)] = color;
        }
    }
    if (bRedraw)
        RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

COLORREF CReportCtrl::GetItemBkColor(int nItem, int nSubItem) const
{
    RowInfo* info = GetRowInfo(nItem);
    if (!info || nSubItem < 0 || static_cast<size_t>(nSubItem) >= info->backColors.size())
        return ::GetSysColor(COLOR_WINDOW);
    return info->backColors[static_cast<size_t>(nSubItem)];
}

COLORREF CReportCtrl::GetItemTextColor(int nItem, int nSubItem) const
{
    RowInfo* info = GetRowInfo(nItem);
    if (!info || nSubItem < 0 || static_cast<size_t>(nSubItem) >= info->textColors.size())
        return ::GetSysColor(COLOR_WINDOWTEXT);
    return info->textColors[static_cast<size_t>(nSubItem)];
}

void CReportCtrl::ApplyRowStripes()
{
    SetRedraw(FALSE);
    const int key = m_sortKeys.empty() ? -1 : m_sortKeys.front().nColumn;
    const int columns = GetColumnCount();
    for (int row = 0, rows = GetItemCount(); row < rows; ++row)
    {
        RowInfo* info = GetRowInfo(row);
        if (!info)
            continue;
        for (int column = 0; column < columns && static_cast<size_t>(column) < info->backColors.size();
             ++column)
            info->backColors[static_cast<size_t>(column)] = StripeColor(row, column, key);
    }
    SetRedraw(TRUE);
    Invalidate(TRUE);
    UpdateWindow();
}

void CReportCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    switch (draw->nmcd.dwDrawStage)
    {
    case CDDS_PREPAINT:
    case CDDS_ITEMPREPAINT:
        *pResult = CDRF_NOTIFYSUBITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
    {
        // Rows inserted around this control have no record: the list's own colours stay.
        RowInfo* info = GetRowInfo(static_cast<int>(draw->nmcd.dwItemSpec));
        const size_t column = static_cast<size_t>(draw->iSubItem);
        if (info && draw->iSubItem >= 0 && column < info->textColors.size() &&
            column < info->backColors.size())
        {
            draw->clrText = info->textColors[column];
            draw->clrTextBk = info->backColors[column];
        }
        *pResult = CDRF_DODEFAULT;
        break;
    }
    default:
        break;
    }
}

// ---------------------------------------------------------------- row states

DWORD CReportCtrl::GetItemStates(int nItem) const
{
    const UINT state = GetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED);
    return MakeStateWord((state & LVIS_SELECTED) != 0, GetCheck(nItem), (state & LVIS_FOCUSED) != 0);
}

BOOL CReportCtrl::TestItemState(int nItem, DWORD dwStates) const
{
    if (dwStates == 0)
        return FALSE;
    return TestStateWord(GetItemStates(nItem), dwStates);
}

int CReportCtrl::GetItemCountByState(DWORD dwStates) const
{
    if (dwStates == RVIS_ALL)
        return GetItemCount();
    int count = 0;
    for (int row = 0, n = GetItemCount(); row < n; ++row)
    {
        if (TestItemState(row, dwStates))
            ++count;
    }
    return count;
}

int CReportCtrl::GetNextItemByState(DWORD dwStates, int nStartAfter) const
{
    for (int row = nStartAfter < 0 ? 0 : nStartAfter + 1, n = GetItemCount(); row < n; ++row)
    {
        if (TestItemState(row, dwStates))
            return row;
    }
    return -1;
}

BOOL CReportCtrl::ApplyStates(int nItem, DWORD dwNewStates)
{
    BOOL ok = TRUE;
    if (dwNewStates & RVIS_SELECTED)
        ok &= SetItemState(nItem, LVIS_SELECTED, LVIS_SELECTED) ? TRUE : FALSE;
    if (dwNewStates & RVIS_UNSELECTED)
        ok &= SetItemState(nItem, 0, LVIS_SELECTED) ? TRUE : FALSE;
    if (dwNewStates & RVIS_CHECKED)
        ok &= SetCheck(nItem, TRUE) ? TRUE : FALSE;
    if (dwNewStates & RVIS_UNCHECKED)
        ok &= SetCheck(nItem, FALSE) ? TRUE : FALSE;
    if (dwNewStates & RVIS_FOCUSED)
        ok &= SetItemState(nItem, LVIS_FOCUSED, LVIS_FOCUSED) ? TRUE : FALSE;
    if (dwNewStates & RVIS_UNFOCUSED)
        ok &= SetItemState(nItem, 0, LVIS_FOCUSED) ? TRUE : FALSE;
    return ok;
}

void CReportCtrl::UncheckOthers(int nKeep)
{
    for (int row = 0, n = GetItemCount(); row < n; ++row)
    {
        if (row != nKeep && GetCheck(row) > 0)
            SetCheck(row, FALSE);
    }
}

BOOL CReportCtrl::SetItemStates(int nItem, DWORD dwNewStates)
{
    if (dwNewStates == 0)
        return FALSE;
    BOOL ok = ApplyStates(nItem, dwNewStates);
    if ((dwNewStates & RVIS_CHECKED) && m_nCheckStyle == RC_CHKBOX_SINGLE && GetCheck(nItem) > 0)
        UncheckOthers(nItem);
    return ok;
}

int CReportCtrl::SetAllItemStates(DWORD dwOldStates, DWORD dwNewStates)
{
    if (dwOldStates == 0 || dwNewStates == 0)
        return 0;
    int count = 0;
    for (int row = 0, n = GetItemCount(); row < n; ++row)
    {
        if (dwOldStates == RVIS_ALL || TestItemState(row, dwOldStates))
        {
            ApplyStates(row, dwNewStates);
            ++count;
        }
    }
    if ((dwNewStates & RVIS_CHECKED) && m_nCheckStyle == RC_CHKBOX_SINGLE)
    {
        int first = GetNextItemByState(RVIS_CHECKED);
        if (first >= 0)
            UncheckOthers(first);
    }
    return count;
}

// ---------------------------------------------------------------- moving rows

int CReportCtrl::MoveItemTo(int nItem, int nNewIndex)
{
    const int rows = GetItemCount();
    if (nItem < 0 || nItem >= rows)
        return -1;
    EndEdit(TRUE);
    if (nNewIndex < 0)
        nNewIndex = 0;
    if (nNewIndex > rows - 1)
        nNewIndex = rows - 1;
    if (nNewIndex == nItem)
        return nItem;

    const DWORD states = GetItemStates(nItem);
    const int columns = GetColumnCount();
    std::vector<int> images(static_cast<size_t>(columns));
    std::vector<CString> texts(static_cast<size_t>(columns));
    for (int column = 0; column < columns; ++column)
    {
        images[static_cast<size_t>(column)] = GetItemImage(nItem, column);
        texts[static_cast<size_t>(column)] = GetItemText(nItem, column);
    }
    // The record leaves the row before it is deleted, so only a successful move keeps it.
    const DWORD_PTR data = CListCtrl::GetItemData(nItem);
    RowInfo* info = GetRowInfo(nItem);
    CListCtrl::SetItemData(nItem, 0);
    if (!CListCtrl::DeleteItem(nItem))
    {
        CListCtrl::SetItemData(nItem, data);
        return -1;
    }
    const int index = CListCtrl::InsertItem(LVIF_TEXT, nNewIndex, L"", 0, 0, 0, 0);
    if (index < 0 || !CListCtrl::SetItemData(index, info ? reinterpret_cast<DWORD_PTR>(info) : data))
    {
        if (index >= 0)
            CListCtrl::DeleteItem(index);
        m_records.erase(info);
        delete info;
        return -1;
    }
    for (int column = 0; column < columns; ++column)
    {
        CListCtrl::SetItemText(index, column, texts[static_cast<size_t>(column)]);
        SetItemImage(index, column, images[static_cast<size_t>(column)]);
    }
    SetItemStates(index, states);
    return index;
}

// ---------------------------------------------------------------- sorting

void CReportCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    const int column = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
    PushSortKey(m_sortKeys, column);
    EndEdit(TRUE);
    if (static_cast<unsigned>(column) < static_cast<unsigned>(GetColumnCount()) && IsSortable())
    {
        SortItems(0, GetItemCount() - 1);
        *pResult = 0;
    }
}

void CReportCtrl::SortItems(int nFirst, int nLast)
{
    if (m_sortKeys.empty())
        return;
    const ColumnSortInfo key = m_sortKeys.front();
    SortRange(nFirst, nLast, key.nColumn, key.bAscending);
    ::PostMessageW(::GetParent(m_hWnd), WM_REPORT_SORTED, static_cast<WPARAM>(key.nColumn),
                   key.bAscending ? 1 : 0);
    ApplyRowStripes();
}

BOOL CReportCtrl::SortRange(int nFirst, int nLast, int nColumn, BOOL bAscending)
{
    const int rows = GetItemCount();
    if (!(nFirst < nLast) || nFirst < 0 || nLast >= rows)
        return FALSE;
    const int n = nLast - nFirst + 1;

    // The key cells are read and parsed once, not in every comparison. The primary
    // column leads whatever the key list holds.
    std::vector<int> keyColumns;
    keyColumns.push_back(nColumn);
    for (size_t k = 1; k < m_sortKeys.size(); ++k)
        keyColumns.push_back(m_sortKeys[k].nColumn);
    const int nKeys = static_cast<int>(keyColumns.size());
    std::vector<SortCell> cells(static_cast<size_t>(n) * static_cast<size_t>(nKeys));
    for (int i = 0; i < n; ++i)
    {
        for (int k = 0; k < nKeys; ++k)
        {
            const int column = keyColumns[static_cast<size_t>(k)];
            cells[static_cast<size_t>(i) * nKeys + k] = GetSortCell(column, GetItemText(nFirst + i, column));
        }
    }
    std::vector<int> order(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        order[static_cast<size_t>(i)] = i;
    SortRowsByKeys(order, cells, nKeys, bAscending != FALSE);

    const int columns = GetColumnCount();
    std::vector<RowSnapshot> snapshots(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
    {
        const int row = nFirst + order[static_cast<size_t>(i)];
        RowSnapshot& s = snapshots[static_cast<size_t>(i)];
        s.states = GetItemStates(row);
        s.record = static_cast<LPARAM>(CListCtrl::GetItemData(row));
        s.images.resize(static_cast<size_t>(columns));
        s.texts.resize(static_cast<size_t>(columns));
        for (int column = 0; column < columns; ++column)
        {
            s.images[static_cast<size_t>(column)] = GetItemImage(row, column);
            s.texts[static_cast<size_t>(column)] = GetItemText(row, column);
        }
    }
    SetRedraw(FALSE);
    for (int i = 0; i < n; ++i)
    {
        if (order[static_cast<size_t>(i)] == i)
            continue; // the row stays where it is
        const int row = nFirst + i;
        const RowSnapshot& s = snapshots[static_cast<size_t>(i)];
        ApplyStates(row, s.states);
        CListCtrl::SetItemData(row, static_cast<DWORD_PTR>(s.record));
        for (int column = 0; column < columns; ++column)
        {
            SetItemImage(row, column, s.images[static_cast<size_t>(column)]);
            CListCtrl::SetItemText(row, column, s.texts[static_cast<size_t>(column)]);
        }
    }
    SetRedraw(TRUE);
    return TRUE;
}

// ---------------------------------------------------------------- in-place editing

void CReportCtrl::SetEditable(BOOL bEditable)
{
    if (!bEditable)
        EndEdit(TRUE);
    m_bEditable = bEditable;
}

BOOL CReportCtrl::SetColumnEditable(int nColumn)
{
    if (nColumn < 0 || nColumn >= GetColumnCount() || IsColumnEditable(nColumn))
        return FALSE;
    m_editableColumns.push_back(nColumn);
    return TRUE;
}

BOOL CReportCtrl::IsColumnEditable(int nColumn) const
{
    for (int column : m_editableColumns)
    {
        if (column == nColumn)
            return TRUE;
    }
    return FALSE;
}

BOOL CReportCtrl::IsEditing() const
{
    return m_nEditRow >= 0 && m_nEditRow < GetItemCount() && m_nEditColumn >= 0 &&
           m_nEditColumn < GetColumnCount();
}

BOOL CReportCtrl::StartEdit(int nItem, int nSubItem)
{
    if (nItem < 0 || nItem >= GetItemCount() || nSubItem < 0 || nSubItem >= GetColumnCount())
        return FALSE;
    if (nItem == m_nEditRow && nSubItem == m_nEditColumn && IsEditing())
        return TRUE;
    EndEdit(TRUE);
    // The parent's WM_REPORT_EDITDONE handler may have removed the row or the column.
    if (nItem >= GetItemCount() || nSubItem >= GetColumnCount())
        return FALSE;
    m_nEditRow = nItem;
    m_nEditColumn = nSubItem;

    SetAllItemStates(RVIS_SELECTED, RVIS_UNSELECTED);
    SetItemStates(nItem, RVIS_SELECTED | RVIS_FOCUSED);

    HDITEMW header = {};
    header.mask = HDI_FORMAT;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    const bool hasHeader = pHeader && pHeader->GetItem(nSubItem, &header);
    const DWORD alignment = EditAlignment(hasHeader, header.fmt);
    if (alignment != m_dwEditAlignment)
    {
        m_dwEditAlignment = alignment;
        if (m_pEditor->m_hWnd)
            m_pEditor->DestroyWindow();
    }
    if (!m_pEditor->m_hWnd &&
        !m_pEditor->Create(alignment | WS_CHILD | WS_BORDER | ES_AUTOHSCROLL | ES_NOHIDESEL,
                           CRect(0, 0, 1, 1), this, 0))
    {
        m_nEditRow = m_nEditColumn = -1;
        return FALSE;
    }
    m_pEditor->SendMessage(WM_SETFONT, static_cast<WPARAM>(SendMessage(WM_GETFONT)), TRUE);

    CRect rect;
    GetSubItemRect(nItem, nSubItem, LVIR_LABEL, rect);
    if (nSubItem > 0 && GetImageList() && GetItemImage(nItem, nSubItem) >= 0)
        rect.left += 16;
    const CString text = GetItemText(nItem, nSubItem);
    m_pEditor->MoveWindow(&rect, TRUE);
    m_pEditor->SetWindowText(text);
    m_pEditor->ShowWindow(SW_SHOW);
    m_pEditor->SetSel(0, EditSelectionEnd(text));
    m_pEditor->SetFocus();
    if (nSubItem == 0)
        m_strEditOriginal = text;
    return TRUE;
}

BOOL CReportCtrl::EndEdit(BOOL bCommit)
{
    if (!IsEditing())
        return FALSE;
    CString text;
    m_pEditor->GetWindowText(text);
    // The parent gets its own copy: a nested end of the edit in its handler clears ours.
    int position[2] = {m_nEditRow, m_nEditColumn};
    BOOL written = FALSE;
    if (bCommit && text != GetItemText(position[0], position[1]))
    {
        CListCtrl::SetItemText(position[0], position[1], text);
        written = TRUE;
        ::SendMessageW(::GetParent(m_hWnd), WM_REPORT_EDITDONE, reinterpret_cast<WPARAM>(position),
                       reinterpret_cast<LPARAM>(m_hWnd));
        // The handler may have ended this edit itself, or started another one.
        if (m_nEditRow != position[0] || m_nEditColumn != position[1])
            return written;
    }
    m_pEditor->ShowWindow(SW_HIDE);
    m_nEditRow = m_nEditColumn = -1;
    return written;
}

void CReportCtrl::OnEditKey(EditKey key)
{
    const int row = m_nEditRow, column = m_nEditColumn, rows = GetItemCount();
    switch (key)
    {
    case EditKey::Tab:
    {
        const int next = NextEditColumn(m_editableColumns, column);
        EndEdit(TRUE);
        if (next >= 0)
            StartEdit(row, next);
        break;
    }
    case EditKey::Commit:
        EndEdit(TRUE);
        break;
    case EditKey::Discard:
        EndEdit(FALSE);
        break;
    case EditKey::Up:
    case EditKey::Down:
    {
        const int next = WrapEditRow(row, key == EditKey::Up ? -1 : 1, rows);
        EndEdit(TRUE);
        EnsureVisible(next, FALSE);
        StartEdit(next, column);
        break;
    }
    default:
        break;
    }
}

BOOL CReportCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN)
    {
        const EditKey key = DecideEditKey(static_cast<UINT>(pMsg->wParam), IsEditing() != FALSE);
        if (key == EditKey::Swallow)
            return TRUE;
        if (key != EditKey::PassOn)
        {
            OnEditKey(key);
            return TRUE;
        }
    }
    return CListCtrl::PreTranslateMessage(pMsg);
}

void CReportCtrl::HandleMouseClick(UINT message, UINT nFlags, CPoint point)
{
    LVHITTESTINFO hit = {};
    hit.pt = point;
    SubItemHitTest(&hit);
    const int row = hit.iItem;
    const bool oldCheck = row >= 0 && GetCheck(row) > 0;
    const bool wasEditing = IsEditing() != FALSE;
    EndEdit(TRUE);
    const bool left = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
    const bool wasSelectedAndFocused = left && row >= 0 && TestItemState(row, RVIS_SELECTED | RVIS_FOCUSED);

    DefWindowProc(message, nFlags, MAKELPARAM(point.x, point.y));

    const bool newCheck = row >= 0 && GetCheck(row) > 0;
    const BOOL checkHandled = OnCheckChanged(row, oldCheck, newCheck, message);
    if (left && ClickStartsEdit(m_bEditable != FALSE, checkHandled != FALSE, wasEditing,
                                wasSelectedAndFocused, IsColumnEditable(hit.iSubItem) != FALSE))
        StartEdit(row, hit.iSubItem);
}

BOOL CReportCtrl::OnCheckChanged(int nItem, bool bOld, bool bNew, UINT message)
{
    if (nItem < 0 || nItem >= GetItemCount() || m_nCheckStyle == RC_CHKBOX_NONE || bOld == bNew)
        return FALSE;
    if (m_nCheckStyle == RC_CHKBOX_SINGLE && bNew)
    {
        SetAllItemStates(RVIS_CHECKED, RVIS_UNCHECKED);
        ApplyStates(nItem, RVIS_CHECKED);
    }
    if (m_nCheckStyle == RC_CHKBOX_READONLY)
    {
        ApplyStates(nItem, bOld ? RVIS_CHECKED : RVIS_UNCHECKED);
        return TRUE;
    }
    SetAllItemStates(RVIS_SELECTED, RVIS_UNSELECTED);
    SetItemStates(nItem, RVIS_SELECTED | RVIS_FOCUSED);
    ::SendMessageW(::GetParent(m_hWnd), WM_REPORT_STATECHANGED, static_cast<WPARAM>(nItem),
                   static_cast<LPARAM>(message));
    return TRUE;
}

void CReportCtrl::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    EndEdit(FALSE);
    CListCtrl::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CReportCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    EndEdit(FALSE);
    CListCtrl::OnVScroll(nSBCode, nPos, pScrollBar);
}

BOOL CReportCtrl::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    EndEdit(FALSE);
    return CListCtrl::OnMouseWheel(nFlags, zDelta, pt);
}
