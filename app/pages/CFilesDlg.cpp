#include "app/pages/CFilesDlg.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>

#include "app/AppGlobals.h"
#include "app/FinishedRecording.h"
#include "app/KeyFilters.h"
#include "app/PageHost.h"
#include "app/PageMessage.h"
#include "app/pages/CTabPage.h"
#include "controls/CentreNextBox.h"
#include "controls/ReportText.h"
#include "engine/LogLevel.h"
#include "framework/CDataExchange.h"
#include "framework/CMenu.h"
#include "framework/CWinApp.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CFilesDlg, CTabPage)
ON_COMMAND(ID_FILE_OPEN, &CFilesDlg::OnOpen)
ON_COMMAND(ID_FILE_OPEN_DIR, &CFilesDlg::OnOpenDir)
ON_COMMAND(ID_FILE_MOVE_UP, &CFilesDlg::OnMoveUp)
ON_COMMAND(ID_FILE_MOVE_DOWN, &CFilesDlg::OnMoveDown)
ON_COMMAND(ID_FILE_MOVE_TO_TOP, &CFilesDlg::OnMoveToTop)
ON_COMMAND(ID_FILE_MOVE_TO_BOTTOM, &CFilesDlg::OnMoveToBottom)
ON_COMMAND(ID_FILE_REMOVE, &CFilesDlg::OnRemove)
ON_COMMAND(ID_FILE_RENAME, &CFilesDlg::OnRename)
ON_COMMAND(ID_FILE_DELETE, &CFilesDlg::OnDelete)
ON_NOTIFY(NM_RCLICK, IDC_FILE_LIST, &CFilesDlg::OnListRClick)
ON_NOTIFY(NM_DBLCLK, IDC_FILE_LIST, &CFilesDlg::OnListDblClk)
ON_MESSAGE(WM_REPORT_SORTED, &CFilesDlg::OnReportSorted)
ON_MESSAGE(WM_REPORT_EDITDONE, &CFilesDlg::OnReportEditDone)
END_MESSAGE_MAP()

namespace
{
struct ColumnDef
{
    LPCWSTR title;
    int width;
};
const ColumnDef kColumns[6] = {{L"Name", 188},    {L"Path", 182},      {L"Format", 78},
                               {L"Duration", 88}, {L"Timestamp", 128}, {L"Size(MB)", 88}};
// Room beside a cell's text, and beside a title with its 16-pixel sort image.
constexpr int kCellMargin = 16;
constexpr int kTitleMargin = 16 + 28;

// The longest text the column usually shows, in the list's font and the user's date form.
CString LongestCell(int column)
{
    switch (column)
    {
    case 2:
        return L"WAV";
    case 3:
        return L"100:00:00";
    case 4:
    {
        const SYSTEMTIME late = {2026, 12, 2, 29, 22, 58, 15, 0};
        return FormatDateText(late);
    }
    case 5:
        return L"4096.000";
    default:
        return CString();
    }
}

void AddIcon(CImageList& list, UINT id)
{
    HICON icon = static_cast<HICON>(
        ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    list.Add(icon);
    if (icon)
        ::DestroyIcon(icon);
}

} // namespace

CFilesDlg::CFilesDlg()
    : m_commands(*this),
      m_hAccel(::LoadAcceleratorsW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_ACCELERATORS)))
{
}

void CFilesDlg::DoDataExchange(CDataExchange* pDX)
{
    CTabPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FILE_LIST, m_list);
}

BOOL CFilesDlg::OnInitDialog()
{
    CTabPage::OnInitDialog();
    const DWORD version = LOBYTE(LOWORD(::GetVersion()));
    if (version < 6)
    {
        m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    }
    else
    {
        m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | LVS_EX_DOUBLEBUFFER);
        m_list.ApplyExplorerTheme();
    }
    for (int i = 0; i < 6; ++i)
    {
        // Wide enough that neither the title with its sort image nor the usual cell is cut.
        const CString longest = LongestCell(i);
        const int width =
            std::max({kColumns[i].width, m_list.GetStringWidth(kColumns[i].title) + kTitleMargin,
                      longest.IsEmpty() ? 0 : m_list.GetStringWidth(longest) + kCellMargin});
        m_list.InsertColumn(i, kColumns[i].title, LVCFMT_LEFT, width);
    }

    m_rowImages.Create(16, 16, ILC_COLOR32 | ILC_MASK, 8, 2);
    AddIcon(m_rowImages, IDI_FILE_RECORDED);
    AddIcon(m_rowImages, IDI_FILE_OTHER);
    m_list.SetImageList(&m_rowImages);
    m_headerImages.Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 2);
    for (UINT id : {IDI_SORT_NONE, IDI_SORT_UP, IDI_SORT_DOWN, IDI_SORT_SPARE})
        AddIcon(m_headerImages, id);
    m_list.SetHeaderImageList(&m_headerImages);

    LoadOutputList();

    m_list.SetSortable(TRUE);
    m_list.SetEditable(TRUE);
    m_list.SetColumnEditable(0);
    return TRUE;
}

void CFilesDlg::AppendRow(const RecordedFileRow& row)
{
    const int r = m_list.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, m_list.GetItemCount(), row.cells[0],
                                    0, 0, row.nData == 1 ? 0 : 1, static_cast<LPARAM>(row.nData));
    if (r < 0)
        return;
    for (int c = 1; c < 6; ++c)
        m_list.SetItemText(r, c, row.cells[c]);
}

void CFilesDlg::LoadOutputList()
{
    RecordedFilesFile file(GetRecordedFilesPath());
    std::vector<RecordedFileRow> rows;
    const RecordedFilesFile::LoadResult result = file.Load(rows);
    // Painting stays off while the rows go in: a repaint per row costs more than the rows.
    m_list.SetRedraw(FALSE);
    for (const RecordedFileRow& row : rows)
    {
        // A file deleted outside the program leaves the list.
        if (FileExists(row.cells[1] + row.cells[0]))
        {
            AppendRow(row);
            const int r = m_list.GetItemCount() - 1;
            if (r % 2)
                m_list.SetItemBkColor(r, -1, FileListCommands::StripeColour(r, 0, -1), FALSE);
        }
    }
    m_list.SetRedraw(TRUE);
    m_list.Invalidate();
    PageHost* host = Host();
    if (result == RecordedFilesFile::Damaged && host)
        host->ReportDamagedFileList(file);
}

std::vector<RecordedFileRow> CFilesDlg::GetRows() const
{
    std::vector<RecordedFileRow> rows(static_cast<size_t>(std::max(0, m_list.GetItemCount())));
    for (size_t r = 0; r < rows.size(); ++r)
    {
        for (int c = 0; c < 6; ++c)
            rows[r].cells[c] = m_list.GetItemText(static_cast<int>(r), c);
        rows[r].nData = m_list.GetItemData(static_cast<int>(r));
    }
    return rows;
}

void CFilesDlg::AddFinishedRecording(const FinishedRecording& recording)
{
    const CString path = recording.GetFolder() + recording.GetName();
    if (recording.IsTooShort())
    {
        ::DeleteFileW(path);
        return;
    }
    Log(L"Finished recording  " + path, LOG_NOTE);
    const int old = m_commands.FindRowOfPath(path);
    if (old >= 0)
        m_list.DeleteItem(old);

    // The writer has closed the file: its size is final.
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    uint64_t bytes = 0;
    if (::GetFileAttributesExW(path, GetFileExInfoStandard, &data))
        bytes = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    AppendRow(recording.MakeRow(bytes, now));

    const int r = m_list.GetItemCount() - 1;
    const std::vector<ColumnSortInfo>& keys = m_list.GetSortKeys();
    const int keyColumn = keys.empty() ? -1 : keys.front().nColumn;
    if (old >= 0)
    {
        m_list.ApplyRowStripes(); // the rows below the old one changed places
    }
    else
    {
        for (int c = 0; c < 6; ++c)
            m_list.SetItemBkColor(r, c, FileListCommands::StripeColour(r, c, keyColumn), FALSE);
    }
    m_list.EnsureVisible(r, FALSE);
}

// ---------------------------------------------------------------- list notifications

void CFilesDlg::OnListRClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->iItem < 0)
        return; // not on a row
    CMenu menu;
    if (!menu.LoadMenu(IDR_FILE_MENU))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (!pPopup)
        return;
    pPopup->SetDefaultItem(0, TRUE);
    const DWORD pos = ::GetMessagePos();
    pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)),
                           this);
}

void CFilesDlg::OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->iItem >= 0)
        OnOpen();
}

LRESULT CFilesDlg::OnReportSorted(WPARAM wParam, LPARAM lParam)
{
    // Only the sorted column shows an image: a blank one would cut the other titles short.
    for (int c = 0; c < 6; ++c)
        m_list.SetHeaderImage(c, c == static_cast<int>(wParam) ? (lParam ? 1 : 2) : -1);
    return 0;
}

LRESULT CFilesDlg::OnReportEditDone(WPARAM wParam, LPARAM)
{
    const int* position = reinterpret_cast<const int*>(wParam);
    if (position && position[1] == 0)
        m_commands.RenameDone(position[0], m_list.m_strEditOriginal);
    return 0;
}

// ---------------------------------------------------------------- keys

BOOL CFilesDlg::PreTranslateMessage(MSG* pMsg)
{
    // The main window's table: the page takes the Move commands, the main window the rest.
    if (KeyFilters::PageKeys(m_hWnd, m_hAccel, pMsg,
                             [this](MSG* pKey)
                             {
                                 if (PageHost* host = Host())
                                     host->TranslateAccelerators(pKey);
                             }))
        return TRUE;
    if (pMsg->message == WM_KEYDOWN)
    {
        switch (FileListCommands::DecideKey(pMsg->wParam, ::GetKeyState(VK_CONTROL) < 0,
                                            ::GetKeyState(VK_SHIFT) < 0, IsWindowVisible() != FALSE,
                                            pMsg->hwnd == m_list.m_hWnd, m_list.GetSelectedCount() > 0))
        {
        case FileListCommands::KeySelectAll:
            m_list.SetAllItemStates(RVIS_ALL, RVIS_SELECTED);
            return TRUE;
        case FileListCommands::KeyRemove:
            OnRemove();
            return TRUE;
        case FileListCommands::KeyDelete:
            OnDelete();
            return TRUE;
        default:
            break;
        }
    }
    // Not the other pages' filter: the list's own keys are handled above.
    return CDialog::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------- FileListHost

bool CFilesDlg::IsRowSelected(int row) const
{
    return (m_list.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

int CFilesDlg::ShowMessage(LPCWSTR text, UINT style)
{
    return PageMessage::Show(Host(), m_hWnd, text, style);
}

int CFilesDlg::ShowAppMessage(LPCWSTR text, UINT style)
{
    const CentreNextBox centre(BoxOwner());
    return AfxMessageBox(text, style);
}

void CFilesDlg::Log(const CString& text, int level)
{
    if (PageHost* host = Host())
        host->LogEvent(text, level);
}

bool CFilesDlg::FileExists(const CString& path) const
{
    const DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CFilesDlg::FolderExists(const CString& path) const
{
    return ::PathIsDirectoryW(path) != FALSE;
}

BOOL CFilesDlg::RemoveFile(const CString& path, DWORD& error)
{
    if (::DeleteFileW(path))
        return TRUE;
    error = ::GetLastError();
    return FALSE;
}

BOOL CFilesDlg::RenameFile(const CString& from, const CString& to)
{
    return ::MoveFileW(from, to);
}

INT_PTR CFilesDlg::ShellOpen(const CString& path)
{
    return reinterpret_cast<INT_PTR>(::ShellExecuteW(m_hWnd, L"open", path, nullptr, nullptr, SW_SHOWNORMAL));
}
