// The File page: the list of recorded files, kept across runs in the data folder, and
// the commands that open, move, rename, remove and delete them.
#pragma once

#include <vector>

#include "app/FileListCommands.h"
#include "app/FileListHost.h"
#include "app/RecordedFilesFile.h"
#include "app/pages/CRecordedFilesList.h"
#include "app/pages/CTabPage.h"
#include "framework/CImageList.h"

class FinishedRecording;

class CFilesDlg : public CTabPage, private FileListHost
{
public:
    CFilesDlg();

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Fills the list from the list file; rows whose file is gone are dropped.
    void LoadOutputList();
    // The rows in display order, as the list file keeps them.
    std::vector<RecordedFileRow> GetRows() const;
    // A recording the writer has completed: deleted when too short, else its row replaces
    // any row of the same path and goes to the end.
    void AddFinishedRecording(const FinishedRecording& recording);

    CRecordedFilesList m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void AppendRow(const RecordedFileRow& row);

    void OnOpen() { m_commands.Open(); }
    void OnOpenDir() { m_commands.OpenDir(); }
    void OnMoveUp() { m_commands.MoveRow(FileListCommands::MoveUp); }
    void OnMoveDown() { m_commands.MoveRow(FileListCommands::MoveDown); }
    void OnMoveToTop() { m_commands.MoveRow(FileListCommands::MoveToTop); }
    void OnMoveToBottom() { m_commands.MoveRow(FileListCommands::MoveToBottom); }
    void OnRemove() { m_commands.Remove(); }
    void OnRename() { m_commands.Rename(); }
    void OnDelete() { m_commands.Delete(); }
    void OnListRClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnReportSorted(WPARAM wParam, LPARAM lParam);
    LRESULT OnReportEditDone(WPARAM wParam, LPARAM lParam);

    CImageList m_rowImages;
    CImageList m_headerImages;

    DECLARE_MESSAGE_MAP()

private:
    // FileListHost
    int GetRowCount() const override { return m_list.GetItemCount(); }
    bool IsRowSelected(int row) const override;
    CString GetCell(int row, int column) const override { return m_list.GetItemText(row, column); }
    void SetCell(int row, int column, const CString& text) override { m_list.SetItemText(row, column, text); }
    void DeleteRow(int row) override { m_list.DeleteItem(row); }
    void SetRowImage(int row, int image) override { m_list.SetItemImage(row, 0, image); }
    void MoveRow(int row, int newIndex) override { m_list.MoveItemTo(row, newIndex); }
    void RestripeRows() override { m_list.ApplyRowStripes(); }
    void StartRename(int row) override { m_list.StartEdit(row, 0); }
    int ShowMessage(LPCWSTR text, UINT style) override;
    int ShowAppMessage(LPCWSTR text, UINT style) override;
    void Log(const CString& text, int level) override;
    bool FileExists(const CString& path) const override;
    bool FolderExists(const CString& path) const override;
    BOOL RemoveFile(const CString& path, DWORD& error) override;
    BOOL RenameFile(const CString& from, const CString& to) override;
    INT_PTR ShellOpen(const CString& path) override;

    FileListCommands m_commands;
    HACCEL m_hAccel;
};
