// Usage: report_bench [rows [mode]]
// Inserting 10,000 rows into the report list and sorting them by two keys, timed.
#include <windows.h>

#include <cstdio>

#include "controls/CReportCtrl.h"

namespace
{
double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

void ClickHeader(CWnd& parent, CReportCtrl& list, int column)
{
    NMLISTVIEW nm = {};
    nm.hdr.hwndFrom = list.m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(list.GetDlgCtrlID());
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iItem = -1;
    nm.iSubItem = column;
    parent.SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int kRows = argc > 1 ? _wtoi(argv[1]) : 10000;
    // Bit 0: painting off while inserting (as a bulk load should do), bit 1: list hidden.
    const int mode = argc > 2 ? _wtoi(argv[2]) : 1;
    CWnd parent;
    CReportCtrl list;
    if (!parent.CreateEx(0, nullptr, L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                         nullptr) ||
        !list.Create(&parent, 100))
    {
        std::fwprintf(stderr, L"cannot create the list\n");
        return 1;
    }
    const wchar_t* titles[] = {L"Name", L"Path", L"Format", L"Duration", L"Timestamp", L"Size(MB)"};
    for (int c = 0; c < 6; ++c)
        list.InsertColumn(c, titles[c], LVCFMT_LEFT, 120);

    LARGE_INTEGER t0, t1, t2, t3;
    if (mode & 1)
        list.SetRedraw(FALSE);
    if (mode & 2)
        list.ShowWindow(SW_HIDE);
    ::QueryPerformanceCounter(&t0);
    SYSTEMTIME when = {2024, 1, 0, 1, 0, 0, 0, 0};
    unsigned seed = 12345;
    for (int i = 0; i < kRows; ++i)
    {
        seed = seed * 1103515245u + 12345u;
        const int row = list.InsertItem(i, L"");
        CString text;
        text.Format(L"take%d.wav", static_cast<int>((seed >> 8) % 500)); // many equal names
        list.SetItemText(row, 0, text);
        list.SetItemText(row, 1, L"C:\\Users\\me\\Music\\");
        list.SetItemText(row, 2, (seed & 1) ? L"MP3" : L"WAV");
        list.SetItemText(row, 3, L"00:01:00");
        when.wHour = static_cast<WORD>((seed >> 4) % 24);
        when.wMinute = static_cast<WORD>((seed >> 10) % 60);
        list.SetItemText(row, 4, when);
        list.SetItemText(row, 5, static_cast<double>((seed >> 12) % 100000) / 1000.0, 3);
        list.SetItemData(row, 1);
    }
    if (mode & 1)
        list.SetRedraw(TRUE);
    ::QueryPerformanceCounter(&t1);
    // Size first, then name: name is the primary key, size breaks its ties.
    ClickHeader(parent, list, 5);
    ::QueryPerformanceCounter(&t2);
    ClickHeader(parent, list, 0);
    ::QueryPerformanceCounter(&t3);

    bool sorted = true;
    for (int r = 1; r < list.GetItemCount() && sorted; ++r)
    {
        SortCell a0 = MakeSortCell(0, list.GetItemText(r - 1, 0));
        SortCell b0 = MakeSortCell(0, list.GetItemText(r, 0));
        int c = CompareSortCells(a0, b0);
        if (c == 0)
            c = CompareSortCells(MakeSortCell(5, list.GetItemText(r - 1, 5)),
                                 MakeSortCell(5, list.GetItemText(r, 5)));
        sorted = c <= 0;
    }
    std::wprintf(L"rows: %d\n", list.GetItemCount());
    std::wprintf(L"insert %d rows of 6 cells (painting %ls%ls): %.1f ms\n", kRows,
                 (mode & 1) ? L"off" : L"on", (mode & 2) ? L", hidden" : L"", Milliseconds(t0, t1));
    std::wprintf(L"sort by one key (size): %.1f ms\n", Milliseconds(t1, t2));
    std::wprintf(L"sort by two keys (name, then size): %.1f ms\n", Milliseconds(t2, t3));
    std::wprintf(L"order checked: %ls\n", sorted ? L"yes" : L"NO");
    list.DestroyWindow();
    parent.DestroyWindow();
    return sorted ? 0 : 1;
}
