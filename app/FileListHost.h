// What the recorded-files commands work on: the rows of the list, the user, the event log
// and the file system. The File page is the real one; tests give a fake.
#pragma once

#include <windows.h>

#include "framework/CString.h"

class FileListHost
{
public:
    virtual ~FileListHost() = default;

    // ---- rows (cells: 0 name, 1 folder ending in a backslash)
    virtual int GetRowCount() const = 0;
    virtual bool IsRowSelected(int row) const = 0;
    virtual CString GetCell(int row, int column) const = 0;
    virtual void SetCell(int row, int column, const CString& text) = 0;
    virtual void DeleteRow(int row) = 0;
    virtual void SetRowImage(int row, int image) = 0;
    // newIndex is within 0 .. count - 1.
    virtual void MoveRow(int row, int newIndex) = 0;
    virtual void RestripeRows() = 0;
    // Opens the name cell's editor.
    virtual void StartRename(int row) = 0;

    // ---- the user and the log
    // The page's own message box; the result as MessageBox gives it.
    virtual int ShowMessage(LPCWSTR text, UINT style) = 0;
    // The program's plain message box.
    virtual int ShowAppMessage(LPCWSTR text, UINT style) = 0;
    virtual void Log(const CString& text, int level) = 0;

    // ---- the file system and the shell
    virtual bool FileExists(const CString& path) const = 0;
    virtual bool FolderExists(const CString& path) const = 0;
    // FALSE with the system's error code.
    virtual BOOL RemoveFile(const CString& path, DWORD& error) = 0;
    virtual BOOL RenameFile(const CString& from, const CString& to) = 0;
    // ShellExecute's "open": its result (above 32 on success).
    virtual INT_PTR ShellOpen(const CString& path) = 0;
};
