#include "tests/report/ReportDialog.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/report/ReportIds.h"

BEGIN_MESSAGE_MAP(ReportDialog, CDialog)
ON_WM_TIMER()
ON_MESSAGE(WM_REPORT_STATECHANGED, &ReportDialog::OnStateChanged)
ON_MESSAGE(WM_REPORT_SORTED, &ReportDialog::OnSorted)
ON_MESSAGE(WM_REPORT_EDITDONE, &ReportDialog::OnEditDone)
END_MESSAGE_MAP()

ReportDialog::ReportDialog() : CDialog(IDD_REPORT) {}

BOOL ReportDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    EXPECT_TRUE(list.SubclassDlgItem(IDC_REPORT, this));
    SetTimer(1, 30);
    return TRUE;
}

void ReportDialog::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != 1)
        return;
    if (m_next >= steps.size())
    {
        KillTimer(1);
        EndDialog(IDOK);
        return;
    }
    steps[m_next++](*this);
}

LRESULT ReportDialog::OnStateChanged(WPARAM wParam, LPARAM lParam)
{
    events.push_back({WM_REPORT_STATECHANGED, wParam, lParam, -1, -1});
    return 0;
}

LRESULT ReportDialog::OnSorted(WPARAM wParam, LPARAM lParam)
{
    events.push_back({WM_REPORT_SORTED, wParam, lParam, -1, -1});
    return 0;
}

LRESULT ReportDialog::OnEditDone(WPARAM wParam, LPARAM lParam)
{
    const int* position = reinterpret_cast<const int*>(wParam);
    if (onEditDone)
        onEditDone(*this);
    events.push_back({WM_REPORT_EDITDONE, wParam, lParam, position[0], position[1]});
    return 0;
}

void ReportDialog::Fill(const std::vector<const wchar_t*>& rows, int columns)
{
    const wchar_t* titles[] = {L"Name",     L"Path", L"Format", L"Duration", L"Timestamp",
                               L"Size(MB)", L"G",    L"H",      L"I"};
    for (int c = list.GetColumnCount(); c < columns; ++c)
        list.InsertColumn(c, titles[c % 9], LVCFMT_LEFT, 50);
    for (const wchar_t* row : rows)
    {
        const int index = list.InsertItem(list.GetItemCount(), L"");
        std::wstring all(row);
        size_t start = 0;
        for (int c = 0; c < columns && start <= all.size(); ++c)
        {
            size_t end = all.find(L'|', start);
            if (end == std::wstring::npos)
                end = all.size();
            list.CListCtrl::SetItemText(index, c, all.substr(start, end - start).c_str());
            start = end + 1;
        }
    }
}

void ReportDialog::Click(int row, int column, UINT down)
{
    CRect rect;
    list.GetSubItemRect(row, column, LVIR_LABEL, rect);
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    list.PostMessage(down, down == WM_LBUTTONDOWN ? MK_LBUTTON : 0, at);
    list.PostMessage(down == WM_LBUTTONDOWN ? WM_LBUTTONUP
                                            : (down == WM_RBUTTONDOWN ? WM_RBUTTONUP : WM_MBUTTONUP),
                     0, at);
}

void ReportDialog::PostKey(UINT vk)
{
    HWND target = list.IsEditing() ? list.GetEditControl()->m_hWnd : list.m_hWnd;
    ::PostMessageW(target, WM_KEYDOWN, vk, 1);
    ::PostMessageW(target, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
}

int ReportDialog::CountEvents(UINT message) const
{
    int n = 0;
    for (const ListEvent& e : events)
        n += e.message == message ? 1 : 0;
    return n;
}

void RunReportDialog(ReportDialog& dialog)
{
    // QM_REPORT_HOLD_MS keeps the dialog open after its steps, to look at it.
    wchar_t hold[16] = L"";
    if (::GetEnvironmentVariableW(L"QM_REPORT_HOLD_MS", hold, 16))
        dialog.steps.resize(dialog.steps.size() + static_cast<size_t>(_wtoi(hold) / 30),
                            [](ReportDialog&) {});
    EXPECT_EQ(IDOK, dialog.DoModal());
}
