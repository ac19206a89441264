// The program's list view, read and driven from the test process: list messages that
// carry pointers need the structure in the program's own memory.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class RemoteList
{
public:
    RemoteList(DWORD processId, HWND hList);
    ~RemoteList();
    RemoteList(const RemoteList&) = delete;
    RemoteList& operator=(const RemoteList&) = delete;

    int Count() const;
    std::wstring Text(int row, int column) const;
    // Column texts of every row.
    std::vector<std::wstring> Column(int column) const;
    bool IsSelected(int row) const;
    int SelectedCount() const;
    // Selects only this row and gives it the focus.
    void SelectOnly(int row) const;
    // The row's rectangle in screen coordinates.
    RECT RowRect(int row) const;
    // The header item's rectangle in screen coordinates, and its image.
    RECT HeaderRect(int column) const;
    int HeaderImage(int column) const;
    // The text's width in pixels in the list's font.
    int StringWidth(const std::wstring& text) const;
    HWND Header() const;

private:
    // Runs message with a remote copy of the bytes and reads them back.
    LRESULT Call(HWND hWnd, UINT message, WPARAM wParam, void* data, size_t size, size_t extra = 0) const;

    HANDLE m_process;
    HWND m_hList;
    void* m_remote;
};
