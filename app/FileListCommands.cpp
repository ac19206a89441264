#include "app/FileListCommands.h"

#include "app/FinishedRecording.h"
#include "app/RenameCheck.h"
#include "controls/ReportEditLogic.h"
#include "engine/LogLevel.h"

namespace
{
const wchar_t kSelectOne[] = L"Please select ONE file First!";
const wchar_t kMissing[] = L"File NOT Found!  Remove It from the List?";
} // namespace

CString FileListCommands::PathOf(int row) const
{
    return m_host.GetCell(row, 1) + m_host.GetCell(row, 0);
}

int FileListCommands::GetSingleSelectedRow()
{
    int found = -1;
    int count = 0;
    for (int r = 0; r < m_host.GetRowCount(); ++r)
    {
        if (m_host.IsRowSelected(r))
        {
            found = r;
            ++count;
        }
    }
    if (count != 1)
    {
        m_host.ShowMessage(kSelectOne, MB_ICONEXCLAMATION);
        return -1;
    }
    return found;
}

std::vector<int> FileListCommands::GetSelectedRowsLastFirst() const
{
    std::vector<int> rows;
    for (int r = m_host.GetRowCount() - 1; r >= 0; --r)
        if (m_host.IsRowSelected(r))
            rows.push_back(r);
    return rows;
}

int FileListCommands::FindRowOfPath(const CString& path) const
{
    for (int r = 0; r < m_host.GetRowCount(); ++r)
        if (FinishedRecording::SamePath(PathOf(r), path))
            return r;
    return -1;
}

BOOL FileListCommands::AskMissingFile(int row)
{
    if (m_host.ShowMessage(kMissing, MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
    {
        m_host.DeleteRow(row);
        m_host.RestripeRows();
        return TRUE;
    }
    m_host.SetRowImage(row, kMissingImage);
    return FALSE;
}

void FileListCommands::Open()
{
    const int row = GetSingleSelectedRow();
    if (row < 0)
        return;
    const CString path = PathOf(row);
    if (!m_host.FileExists(path))
    {
        AskMissingFile(row);
        return;
    }
    if (m_host.ShellOpen(path) == SE_ERR_NOASSOC)
    {
        m_host.ShowAppMessage(L"There is no application associated with the given file name extension.",
                              MB_ICONEXCLAMATION);
        OpenDir();
    }
}

void FileListCommands::OpenDir()
{
    const int row = GetSingleSelectedRow();
    if (row < 0)
        return;
    const CString folder = m_host.GetCell(row, 1);
    if (m_host.FolderExists(folder))
        m_host.ShellOpen(folder);
    else
        AskMissingFile(row);
}

void FileListCommands::MoveRow(Move move)
{
    const int row = GetSingleSelectedRow();
    if (row < 0)
        return;
    const int last = m_host.GetRowCount() - 1;
    int target = row;
    switch (move)
    {
    case MoveUp:
        target = row > 0 ? row - 1 : 0;
        break;
    case MoveDown:
        target = row < last ? row + 1 : last;
        break;
    case MoveToTop:
        target = 0;
        break;
    case MoveToBottom:
        target = last;
        break;
    }
    if (target != row)
        m_host.MoveRow(row, target);
    m_host.RestripeRows();
}

void FileListCommands::Remove()
{
    const std::vector<int> rows = GetSelectedRowsLastFirst();
    if (rows.empty())
    {
        m_host.ShowMessage(kSelectOne, MB_ICONEXCLAMATION);
        return;
    }
    for (int row : rows)
        m_host.DeleteRow(row);
    m_host.RestripeRows();
}

void FileListCommands::Delete()
{
    if (m_host.ShowMessage(L"Permanently Delete the File(s), Are You Sure?", MB_YESNO | MB_ICONEXCLAMATION) !=
        IDYES)
        return;
    const std::vector<int> rows = GetSelectedRowsLastFirst();
    if (rows.empty())
    {
        m_host.ShowMessage(kSelectOne, MB_ICONEXCLAMATION);
        return;
    }
    for (int row : rows)
    {
        const CString path = PathOf(row);
        CString line;
        if (m_host.FileExists(path))
        {
            DWORD error = 0;
            if (!m_host.RemoveFile(path, error))
            {
                // The file is still there: its row stays.
                line.Format(L"Fail to delete %s (error %lu)!", path.GetString(),
                            static_cast<unsigned long>(error));
                m_host.Log(line, LOG_WARNING);
                continue;
            }
        }
        else
        {
            line.Format(L" %s not found!", path.GetString());
            m_host.Log(line, LOG_WARNING);
        }
        m_host.DeleteRow(row);
    }
    m_host.RestripeRows();
}

void FileListCommands::Rename()
{
    const int row = GetSingleSelectedRow();
    if (row < 0)
        return;
    if (!m_host.FileExists(PathOf(row)))
    {
        AskMissingFile(row);
        return;
    }
    m_host.StartRename(row);
}

void FileListCommands::RenameDone(int row, const CString& oldName)
{
    if (row < 0 || row >= m_host.GetRowCount())
        return;
    const CString newName = m_host.GetCell(row, 0);
    const RenameCheck::Result check = RenameCheck::Check(oldName, newName);
    if (check == RenameCheck::Unchanged)
        return;
    if (check != RenameCheck::Accept)
    {
        m_host.ShowMessage(RenameCheck::Message(check), MB_ICONEXCLAMATION);
        m_host.SetCell(row, 0, oldName);
        return;
    }
    const CString folder = m_host.GetCell(row, 1);
    if (!m_host.RenameFile(folder + oldName, folder + newName))
    {
        m_host.ShowAppMessage(L"Fail to Rename File!", MB_OK);
        m_host.SetCell(row, 0, oldName);
    }
}

FileListCommands::KeyAction FileListCommands::DecideKey(WPARAM key, bool ctrl, bool shift, bool pageShown,
                                                        bool onList, bool anySelected)
{
    if (!pageShown || !onList)
        return KeyNone;
    if (key == 'A' && ctrl)
        return KeySelectAll;
    if (key == VK_DELETE && anySelected)
        return shift ? KeyDelete : KeyRemove;
    return KeyNone;
}

COLORREF FileListCommands::StripeColour(int row, int column, int keyColumn)
{
    return StripeColor(row, column, keyColumn);
}
