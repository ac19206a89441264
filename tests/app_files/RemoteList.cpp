#include "tests/app_files/RemoteList.h"

#include <commctrl.h>

namespace
{
constexpr size_t kRemoteBytes = 8192;
} // namespace

RemoteList::RemoteList(DWORD processId, HWND hList)
    : m_process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId)),
      m_hList(hList),
      m_remote(m_process ? ::VirtualAllocEx(m_process, nullptr, kRemoteBytes, MEM_COMMIT, PAGE_READWRITE)
                         : nullptr)
{
}

RemoteList::~RemoteList()
{
    if (m_remote)
        ::VirtualFreeEx(m_process, m_remote, 0, MEM_RELEASE);
    if (m_process)
        ::CloseHandle(m_process);
}

LRESULT RemoteList::Call(HWND hWnd, UINT message, WPARAM wParam, void* data, size_t size, size_t extra) const
{
    if (!m_remote || size + extra > kRemoteBytes)
        return 0;
    SIZE_T done = 0;
    ::WriteProcessMemory(m_process, m_remote, data, size, &done);
    const LRESULT result = ::SendMessageW(hWnd, message, wParam, reinterpret_cast<LPARAM>(m_remote));
    ::ReadProcessMemory(m_process, m_remote, data, size, &done);
    return result;
}

int RemoteList::Count() const
{
    return static_cast<int>(::SendMessageW(m_hList, LVM_GETITEMCOUNT, 0, 0));
}

std::wstring RemoteList::Text(int row, int column) const
{
    // The item, then the text buffer right after it in the program's memory.
    struct
    {
        LVITEMW item;
        wchar_t text[1024];
    } block = {};
    block.item.iSubItem = column;
    block.item.cchTextMax = 1024;
    block.item.pszText =
        reinterpret_cast<LPWSTR>(static_cast<char*>(m_remote) + offsetof(decltype(block), text));
    Call(m_hList, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), &block, sizeof(block));
    block.text[1023] = 0;
    return block.text;
}

std::vector<std::wstring> RemoteList::Column(int column) const
{
    std::vector<std::wstring> texts;
    for (int r = 0; r < Count(); ++r)
        texts.push_back(Text(r, column));
    return texts;
}

bool RemoteList::IsSelected(int row) const
{
    return (::SendMessageW(m_hList, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) &
            LVIS_SELECTED) != 0;
}

int RemoteList::SelectedCount() const
{
    return static_cast<int>(::SendMessageW(m_hList, LVM_GETSELECTEDCOUNT, 0, 0));
}

void RemoteList::SelectOnly(int row) const
{
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    Call(m_hList, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), &item, sizeof(item));
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    Call(m_hList, LVM_SETITEMSTATE, static_cast<WPARAM>(row), &item, sizeof(item));
}

RECT RemoteList::RowRect(int row) const
{
    RECT rect = {};
    rect.left = LVIR_LABEL;
    Call(m_hList, LVM_GETITEMRECT, static_cast<WPARAM>(row), &rect, sizeof(rect));
    ::MapWindowPoints(m_hList, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND RemoteList::Header() const
{
    return reinterpret_cast<HWND>(::SendMessageW(m_hList, LVM_GETHEADER, 0, 0));
}

RECT RemoteList::HeaderRect(int column) const
{
    RECT rect = {};
    Call(Header(), HDM_GETITEMRECT, static_cast<WPARAM>(column), &rect, sizeof(rect));
    ::MapWindowPoints(Header(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int RemoteList::StringWidth(const std::wstring& text) const
{
    std::wstring copy = text;
    return static_cast<int>(
        Call(m_hList, LVM_GETSTRINGWIDTHW, 0, &copy[0], (copy.size() + 1) * sizeof(wchar_t)));
}

int RemoteList::HeaderImage(int column) const
{
    HDITEMW item = {};
    item.mask = HDI_IMAGE | HDI_FORMAT;
    if (!Call(Header(), HDM_GETITEMW, static_cast<WPARAM>(column), &item, sizeof(item)))
        return -2;
    return (item.fmt & HDF_IMAGE) ? item.iImage : -1;
}
