// The list in a dialog: records, colours and drawing, states, moves, checks and sorting.
#include <gtest/gtest.h>

#include "framework/CHeaderCtrl.h"
#include "framework/CImageList.h"
#include "tests/report/ReportDialog.h"

namespace
{
// Sends the dialog a notification as if the list had sent it; the dialog's answer.
LRESULT NotifyDialog(ReportDialog& d, NMHDR& header)
{
    header.hwndFrom = d.list.m_hWnd;
    header.idFrom = static_cast<UINT_PTR>(d.list.GetDlgCtrlID());
    return d.SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void ClickHeader(ReportDialog& d, int column)
{
    NMLISTVIEW nm = {};
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iItem = -1;
    nm.iSubItem = column;
    NotifyDialog(d, nm.hdr);
}

std::vector<std::wstring> ColumnTexts(CReportCtrl& list, int column)
{
    std::vector<std::wstring> out;
    for (int r = 0; r < list.GetItemCount(); ++r)
        out.push_back(std::wstring(list.GetItemText(r, column)));
    return out;
}
} // namespace

TEST(ReportList, StyleIsForcedToAReportViewWithFullRowSelect)
{
    ReportDialog d;
    d.steps.push_back(
        [](ReportDialog& d)
        {
            EXPECT_EQ(static_cast<DWORD>(LVS_REPORT), d.list.GetStyle() & LVS_TYPEMASK);
            EXPECT_TRUE(d.list.GetExtendedStyle() & LVS_EX_FULLROWSELECT);
            d.list.SetExtendedStyle(LVS_EX_CHECKBOXES);
            EXPECT_EQ(static_cast<DWORD>(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES),
                      d.list.GetExtendedStyle());
        });
    RunReportDialog(d);
}

TEST(ReportList, CreatedByHandFillsTheParentWithAReportView)
{
    ReportDialog d;
    d.steps.push_back(
        [](ReportDialog& d)
        {
            CReportCtrl list;
            ASSERT_TRUE(list.Create(&d, 300, nullptr, LVS_ICON | LVS_EDITLABELS | LVS_NOSCROLL));
            CRect client, rect;
            d.GetClientRect(&client);
            list.GetWindowRect(&rect);
            d.ScreenToClient(&rect);
            EXPECT_EQ(client, rect);
            // (The scroll bar bits come and go with the list's contents.)
            EXPECT_EQ(static_cast<DWORD>(WS_CHILD | WS_VISIBLE | LVS_REPORT),
                      list.GetStyle() & static_cast<DWORD>(WS_CHILD | WS_VISIBLE | 0x2203));
            EXPECT_EQ(static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES),
                      list.GetExtendedStyle() & 0x22u);
            list.DestroyWindow();
        });
    RunReportDialog(d);
}

TEST(ReportList, HeaderImageKeepsTheFormatAndBorrowsTheListsImages)
{
    CImageList images;
    ReportDialog d;
    d.steps.push_back(
        [&images](ReportDialog& d)
        {
            images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 2);
            d.list.SetImageList(&images);
            d.list.InsertColumn(0, L"a");
            d.list.InsertColumn(1, L"b", LVCFMT_RIGHT);
            CHeaderCtrl* header = d.list.GetHeaderCtrl();
            ASSERT_TRUE(header);
            EXPECT_TRUE(d.list.SetHeaderImage(1, 1, FALSE));
            EXPECT_EQ(images.m_hImageList,
                      reinterpret_cast<HIMAGELIST>(header->SendMessage(HDM_GETIMAGELIST)));
            HDITEMW item = {};
            item.mask = HDI_FORMAT | HDI_IMAGE;
            ASSERT_TRUE(header->GetItem(1, &item));
            EXPECT_EQ(HDF_RIGHT | HDF_IMAGE | HDF_BITMAP_ON_RIGHT,
                      item.fmt & (HDF_JUSTIFYMASK | HDF_IMAGE | HDF_BITMAP_ON_RIGHT));
            EXPECT_EQ(1, item.iImage);
            // Taken off again: the title keeps its alignment and the whole width.
            EXPECT_TRUE(d.list.SetHeaderImage(1, -1));
            ASSERT_TRUE(header->GetItem(1, &item));
            EXPECT_EQ(HDF_RIGHT, item.fmt & (HDF_JUSTIFYMASK | HDF_IMAGE | HDF_BITMAP_ON_RIGHT));
            EXPECT_FALSE(d.list.SetHeaderImage(5, 0));
        });
    RunReportDialog(d);
}

TEST(ReportList, CustomDrawAnswersReachTheListThroughTheDialog)
{
    ReportDialog d;
    d.steps.push_back(
        [](ReportDialog& d)
        {
            d.Fill({L"a|b|c", L"d|e|f"}, 3);
            d.list.SetItemBkColor(1, 1, RGB(200, 10, 10), FALSE);
            // Rows put in around the control have no record, one with item data of its own.
            d.list.CListCtrl::InsertItem(LVIF_TEXT, 2, L"bare", 0, 0, 0, 0);
            d.list.CListCtrl::InsertItem(LVIF_TEXT | LVIF_PARAM, 3, L"foreign", 0, 0, 0, 0x1234);

            NMLVCUSTOMDRAW draw = {};
            draw.nmcd.hdr.code = NM_CUSTOMDRAW;
            draw.nmcd.dwDrawStage = CDDS_PREPAINT;
            EXPECT_EQ(CDRF_NOTIFYSUBITEMDRAW, NotifyDialog(d, draw.nmcd.hdr));
            draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
            draw.nmcd.dwItemSpec = 1;
            draw.iSubItem = 1;
            EXPECT_EQ(CDRF_DODEFAULT, NotifyDialog(d, draw.nmcd.hdr));
            EXPECT_EQ(RGB(200, 10, 10), draw.clrTextBk);
            EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), draw.clrText);
            for (auto [row, sub] : {std::pair<int, int>{2, 1}, {3, 0}, {1, 99}, {1, -1}, {77, 0}})
            {
                draw.clrText = draw.clrTextBk = RGB(1, 2, 3);
                draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
                draw.iSubItem = sub;
                EXPECT_EQ(CDRF_DODEFAULT, NotifyDialog(d, draw.nmcd.hdr));
                EXPECT_EQ(RGB(1, 2, 3), draw.clrTextBk) << row << " " << sub;
            }
            EXPECT_EQ(0u, d.list.GetItemData(2));
            EXPECT_EQ(0u, d.list.GetItemData(3));
            EXPECT_FALSE(d.list.SetItemData(3, 5));
            EXPECT_EQ(static_cast<DWORD_PTR>(0x1234), d.list.CListCtrl::GetItemData(3));
            EXPECT_EQ(2, d.list.MoveItemTo(3, 2)); // the foreign item data travels untouched
            EXPECT_EQ(static_cast<DWORD_PTR>(0x1234), d.list.CListCtrl::GetItemData(2));
            d.list.RedrawWindow();
        });
    d.steps.push_back(
        [](ReportDialog& d)
        {
            // What the list painted: right of the text in the coloured cell.
            CRect cell;
            d.list.GetSubItemRect(1, 1, LVIR_LABEL, cell);
            HDC dc = ::GetDC(d.list.m_hWnd);
            COLORREF painted = ::GetPixel(dc, cell.right - 4, (cell.top + cell.bottom) / 2);
            COLORREF plain = ::GetPixel(dc, cell.right - 4 + cell.Width(), (cell.top + cell.bottom) / 2);
            ::ReleaseDC(d.list.m_hWnd, dc);
            EXPECT_EQ(RGB(200, 10, 10), painted);
            EXPECT_EQ(::GetSysColor(COLOR_WINDOW), plain);
        });
    RunReportDialog(d);
}

TEST(ReportList, BackColoursAddressCellsRowsColumnsAndFollowNewColumns)
{
    ReportDialog d;
    d.steps.push_back(
        [](ReportDialog& d)
        {
            d.Fill({L"a", L"b", L"c", L"d"}, 6);
            const COLORREF window = ::GetSysColor(COLOR_WINDOW);
            d.list.SetItemBkColor(-1, -1, RGB(9, 9, 9), FALSE);
            d.list.SetItemBkColor(-1, 3, static_cast<COLORREF>(-1), FALSE);
            for (int r = 0; r < 4; ++r)
            {
                EXPECT_EQ(window, d.list.GetItemBkColor(r, 3));
                EXPECT_EQ(RGB(9, 9, 9), d.list.GetItemBkColor(r, 2));
            }
            d.list.SetItemBkColor(2, 99, RGB(7, 7, 7), TRUE);
            for (int c = 0; c < 6; ++c)
                EXPECT_EQ(RGB(7, 7, 7), d.list.GetItemBkColor(2, c));
            EXPECT_EQ(RGB(9, 9, 9), d.list.GetItemBkColor(1, 0));

            d.list.SetItemBkColor(0, 1, RGB(1, 1, 1), FALSE);
            d.list.SetItemBkColor(0, 2, RGB(2, 2, 2), FALSE);
            EXPECT_EQ(1, d.list.InsertColumn(1, L"new"));
            EXPECT_EQ(window, d.list.GetItemBkColor(0, 1));
            EXPECT_EQ(RGB(1, 1, 1), d.list.GetItemBkColor(0, 2));
            EXPECT_EQ(RGB(2, 2, 2), d.list.GetItemBkColor(0, 3));
            EXPECT_EQ(window, d.list.GetItemBkColor(0, 4)); // former column 3
            EXPECT_TRUE(d.list.DeleteColumn(2));
            EXPECT_EQ(RGB(2, 2, 2), d.list.GetItemBkColor(0, 2));
            EXPECT_EQ(6, d.list.GetColumnCount());
            EXPECT_FALSE(d.list.DeleteColumn(9));
        });
    RunReportDialog(d);
}

TEST(ReportList, StripesShadeTheSortColumn)
{
    ReportDialog d;
    d.steps.push_back(
        [](ReportDialog& d)
        {
            d.Fill({L"a", L"b", L"c"});
            d.list.ApplyRowStripes();
            EXPECT_EQ(RGB(243, 245, 252), d.list.GetItemBkColor(1, 2));
            EXPECT_EQ(RGB(255, 255, 255), d.list.GetItemBkColor(2, 2));
            EXPECT_TRUE(d.list.SetSortable(FALSE));
            EXPECT_FALSE(d.list.IsSortable());
            ClickHeader(d, 2); // not sortable: the key is kept, nothing sorted
            d.list.ApplyRowStripes();
            EXPECT_EQ(RGB(235, 238, 250), d.list.GetItemBkColor(1, 2));
            EXPECT_EQ(RGB(243, 245, 252), d.list.GetItemBkColor(1, 3));
            EXPECT_EQ(RGB(247, 248, 253), d.list.GetItemBkColor(0, 2));
            EXPECT_EQ(RGB(255, 255, 255), d.list.GetItemBkColor(0, 3));
        });
    d.steps.push_back([](ReportDialog& d) { EXPECT_EQ(0, d.CountEvents(WM_REPORT_SORTED)); });
    RunReportDialog(d);
}

TEST(ReportList, TypedCellsAndUserValues)
{
    ReportDialog d;
    d.steps.push_back(
        [](ReportDialog& d)
        {
            d.Fill({L"a", L"b"});
            d.list.SetItemText(0, 5, 3.14159, 2);
            EXPECT_STREQ(L"3.14", d.list.GetItemText(0, 5));
            d.list.SetItemText(0, 5, 12.5);
            EXPECT_STREQ(L"12.5", d.list.GetItemText(0, 5));
            SYSTEMTIME when = {2022, 6, 0, 1, 9, 30, 0, 0};
            d.list.SetItemText(0, 4, when);
            EXPECT_FALSE(d.list.GetItemText(0, 4).IsEmpty());
            SYSTEMTIME bad = {};
            d.list.SetItemText(0, 4, bad);
            EXPECT_TRUE(d.list.GetItemText(0, 4).IsEmpty());

            EXPECT_TRUE(d.list.SetItemData(1, 0xDEADBEEF));
            EXPECT_EQ(0xDEADBEEFu, d.list.GetItemData(1));
            EXPECT_EQ(0u, d.list.GetItemData(0));
            EXPECT_FALSE(d.list.SetItemData(9, 1));
            EXPECT_EQ(0u, d.list.GetItemData(9));
            EXPECT_EQ(-1, d.list.GetItemImage(9, 0));
            const int row = d.list.InsertItem(LVIF_TEXT | LVIF_PARAM, 2, L"v", 0, 0, 0, 42);
            EXPECT_EQ(42u, d.list.GetItemData(row));
        });
    RunReportDialog(d);
}

TEST(ReportList, StatesCountFindAndDelete)
{
    ReportDialog d;
    d.steps.push_back(
        [](ReportDialog& d)
        {
            d.Fill({L"0", L"1", L"2", L"3", L"4"});
            d.list.SetItemStates(2, RVIS_SELECTED);
            d.list.SetItemStates(4, RVIS_SELECTED | RVIS_FOCUSED);
            EXPECT_EQ(2, d.list.GetNextItemByState(RVIS_SELECTED, -1));
            EXPECT_EQ(4, d.list.GetNextItemByState(RVIS_SELECTED, 2));
            EXPECT_EQ(-1, d.list.GetNextItemByState(RVIS_SELECTED, 4));
            EXPECT_EQ(5, d.list.GetItemCountByState(RVIS_ALL));
            EXPECT_EQ(0, d.list.GetItemCountByState(0));
            EXPECT_EQ(1, d.list.GetItemCountByState(RVIS_SELECTED | RVIS_FOCUSED));
            EXPECT_EQ(static_cast<DWORD>(RVIS_SELECTED | RVIS_UNCHECKED | RVIS_FOCUSED),
                      d.list.GetItemStates(4));
            EXPECT_FALSE(d.list.SetItemStates(1, 0));
            EXPECT_EQ(3, d.list.SetAllItemStates(RVIS_UNSELECTED, RVIS_SELECTED));
            EXPECT_EQ(5, d.list.GetItemCountByState(RVIS_SELECTED));
            EXPECT_EQ(5, d.list.SetAllItemStates(RVIS_ALL, RVIS_UNSELECTED));

            d.list.SetItemStates(1, RVIS_SELECTED);
            d.list.SetItemStates(2, RVIS_SELECTED);
            EXPECT_EQ(2, d.list.DeleteAllItems(RVIS_SELECTED));
            EXPECT_EQ((std::vector<std::wstring>{L"0", L"3", L"4"}), ColumnTexts(d.list, 0));
            d.Fill({L"5", L"6"});
            d.list.SetAllItemStates(RVIS_ALL, RVIS_UNSELECTED);
            EXPECT_TRUE(d.list.DeleteItem(2, TRUE));
            EXPECT_EQ(2, d.list.GetNextItemByState(RVIS_SELECTED));
            EXPECT_STREQ(L"5", d.list.GetItemText(2, 0));
            EXPECT_EQ(4, d.list.DeleteAllItems());
            EXPECT_EQ(0, d.list.GetItemCount());
        });
    RunReportDialog(d);
}

namespace
{
// A list whose row inserts can be made to fail.
class FailingInsertList : public CReportCtrl
{
public:
    bool failInsert = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (failInsert && message == LVM_INSERTITEMW)
            return -1;
        return CReportCtrl::WindowProc(message, wParam, lParam);
    }
};
} // namespace

TEST(ReportList, MovesCarryEverythingOfTheRow)
{
    CImageList images;
    ReportDialog d;
    d.steps.push_back(
        [&images](ReportDialog& d)
        {
            images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 2);
            d.list.SetImageList(&images);
            d.Fill({L"r0|x", L"r1|x", L"r2|x", L"r3|y", L"r4|x"}, 3);
            d.list.SetItemData(3, 33);
            d.list.SetItemImage(3, 0, 1);
            d.list.SetItemBkColor(3, 2, RGB(3, 3, 3), FALSE);
            d.list.SetItemStates(3, RVIS_SELECTED);
            EXPECT_EQ(0, d.list.MoveItemTo(3, -5));
            EXPECT_EQ((std::vector<std::wstring>{L"r3", L"r0", L"r1", L"r2", L"r4"}), ColumnTexts(d.list, 0));
            EXPECT_STREQ(L"y", d.list.GetItemText(0, 1));
            EXPECT_EQ(33u, d.list.GetItemData(0));
            EXPECT_EQ(1, d.list.GetItemImage(0, 0));
            EXPECT_EQ(RGB(3, 3, 3), d.list.GetItemBkColor(0, 2));
            EXPECT_TRUE(d.list.TestItemState(0, RVIS_SELECTED));
            EXPECT_EQ(3, d.list.MoveItemTo(3, 3));
            EXPECT_EQ(-1, d.list.MoveItemTo(7, 0));
            EXPECT_EQ(4, d.list.MoveItemToBottom(0));
            EXPECT_EQ(33u, d.list.GetItemData(4));
            EXPECT_EQ(0, d.list.MoveItemToTop(4));
            EXPECT_EQ(1, d.list.MoveItemBy(0, 1));
            EXPECT_STREQ(L"r3", d.list.GetItemText(1, 0));
        });
    RunReportDialog(d);
}

TEST(ReportList, FailedReinsertDropsTheRowAndReportsIt)
{
    struct Dialog : ReportDialog
    {
        FailingInsertList failing;
        BOOL OnInitDialog() override
        {
            BOOL r = ReportDialog::OnInitDialog();
            HWND h = list.Detach();
            EXPECT_TRUE(failing.SubclassWindow(h));
            return r;
        }
    } d;
    d.steps.push_back(
        [&d](ReportDialog&)
        {
            CReportCtrl& list = d.failing;
            list.InsertColumn(0, L"c");
            for (const wchar_t* t : {L"a", L"b", L"c"})
                list.InsertItem(list.GetItemCount(), t);
            list.SetItemData(0, 10);
            list.SetItemData(2, 12);
            d.failing.failInsert = true;
            EXPECT_EQ(-1, list.MoveItemTo(1, 0));
            d.failing.failInsert = false;
            ASSERT_EQ(2, list.GetItemCount());
            EXPECT_STREQ(L"a", list.GetItemText(0, 0));
            EXPECT_EQ(10u, list.GetItemData(0));
            EXPECT_STREQ(L"c", list.GetItemText(1, 0));
            EXPECT_EQ(12u, list.GetItemData(1));
        });
    RunReportDialog(d);
}

TEST(ReportChecks, SingleStyleLeavesOnlyOneRowCheckedWhicheverComesFirst)
{
    ReportDialog d;
    d.steps.push_back(
        [](ReportDialog& d)
        {
            d.list.SetExtendedStyle(LVS_EX_CHECKBOXES);
            d.Fill({L"0", L"1", L"2", L"3", L"4"});
            d.list.SetCheckStyle(RC_CHKBOX_SINGLE);
            d.list.SetItemStates(3, RVIS_CHECKED);
            d.list.SetItemStates(1, RVIS_CHECKED); // a row before the checked one
            EXPECT_EQ(1, d.list.GetItemCountByState(RVIS_CHECKED));
            EXPECT_EQ(1, d.list.GetNextItemByState(RVIS_CHECKED));
            d.list.SetItemStates(9, RVIS_CHECKED); // no such row: nothing else changes
            EXPECT_EQ(1, d.list.GetNextItemByState(RVIS_CHECKED));
            EXPECT_EQ(5, d.list.SetAllItemStates(RVIS_ALL, RVIS_CHECKED));
            EXPECT_EQ(1, d.list.GetItemCountByState(RVIS_CHECKED));
            EXPECT_EQ(0, d.list.GetNextItemByState(RVIS_CHECKED));
        });
    RunReportDialog(d);
}

namespace
{
void ClickCheckBox(ReportDialog& d, int row)
{
    CRect rect;
    d.list.GetItemRect(row, &rect, LVIR_BOUNDS);
    const LPARAM at = MAKELPARAM(rect.left + 8, (rect.top + rect.bottom) / 2);
    d.list.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    d.list.PostMessage(WM_LBUTTONUP, 0, at);
}
} // namespace

TEST(ReportChecks, ClicksOnCheckBoxesFollowTheStyle)
{
    ReportDialog d;
    d.steps.push_back(
        [](ReportDialog& d)
        {
            d.list.SetExtendedStyle(LVS_EX_CHECKBOXES);
            d.Fill({L"0", L"1", L"2", L"3"});
            d.list.SetCheckStyle(RC_CHKBOX_SINGLE);
            d.list.SetItemStates(3, RVIS_CHECKED);
            ClickCheckBox(d, 1);
        });
    d.steps.push_back(
        [](ReportDialog& d)
        {
            ASSERT_EQ(1, d.CountEvents(WM_REPORT_STATECHANGED));
            EXPECT_EQ(1u, d.events[0].wParam);
            EXPECT_EQ(WM_LBUTTONDOWN, static_cast<UINT>(d.events[0].lParam));
            EXPECT_EQ(1, d.list.GetNextItemByState(RVIS_CHECKED));
            EXPECT_EQ(1, d.list.GetItemCountByState(RVIS_CHECKED));
            EXPECT_EQ(1, d.list.GetNextItemByState(RVIS_SELECTED | RVIS_FOCUSED));
            d.list.SetCheckStyle(RC_CHKBOX_READONLY);
            ClickCheckBox(d, 2);
        });
    d.steps.push_back(
        [](ReportDialog& d)
        {
            EXPECT_EQ(1, d.CountEvents(WM_REPORT_STATECHANGED));
            EXPECT_FALSE(d.list.TestItemState(2, RVIS_CHECKED));
        });
    RunReportDialog(d);
}

TEST(ReportChecks, ListWithoutCheckBoxesNeverReportsChecks)
{
    ReportDialog d;
    d.steps.push_back(
        [](ReportDialog& d)
        {
            d.Fill({L"0", L"1"});
            ClickCheckBox(d, 1);
            d.PostKey(VK_SPACE);
        });
    d.steps.push_back(
        [](ReportDialog& d)
        {
            EXPECT_EQ(0, d.CountEvents(WM_REPORT_STATECHANGED));
            EXPECT_EQ(0, d.list.GetItemCountByState(RVIS_CHECKED));
        });
    RunReportDialog(d);
}

TEST(ReportSorting, HeaderClicksSortByKeysAndNotify)
{
    ReportDialog d;
    d.steps.push_back(
        [](ReportDialog& d)
        {
            d.list.SetExtendedStyle(LVS_EX_CHECKBOXES);
            d.Fill({L"b|1|x|||10", L"B|2|x|||9.5", L"a|1|y|||100%", L"a|2|x|||n/a"});
            d.list.SetItemData(2, 22);
            d.list.SetItemStates(2, RVIS_SELECTED | RVIS_CHECKED | RVIS_FOCUSED);
            d.list.SetItemBkColor(2, 1, RGB(5, 5, 5), FALSE);
            EXPECT_TRUE(d.list.SetSortable(TRUE));
            EXPECT_TRUE(d.list.IsSortable());
            ClickHeader(d, 0);
            EXPECT_EQ((std::vector<std::wstring>{L"B", L"a", L"a", L"b"}), ColumnTexts(d.list, 0));
            ClickHeader(d, 5);
            EXPECT_EQ((std::vector<std::wstring>{L"n/a", L"9.5", L"10", L"100%"}), ColumnTexts(d.list, 5));
            ClickHeader(d, 5);
            EXPECT_EQ((std::vector<std::wstring>{L"100%", L"10", L"9.5", L"n/a"}), ColumnTexts(d.list, 5));
            // Column 1 first, then column 0 breaks ties, in column 1's direction.
            ClickHeader(d, 0);
            ClickHeader(d, 1);
            EXPECT_EQ((std::vector<std::wstring>{L"1", L"1", L"2", L"2"}), ColumnTexts(d.list, 1));
            EXPECT_EQ((std::vector<std::wstring>{L"a", L"b", L"B", L"a"}), ColumnTexts(d.list, 0));
            ClickHeader(d, 1);
            EXPECT_EQ((std::vector<std::wstring>{L"a", L"B", L"b", L"a"}), ColumnTexts(d.list, 0));
            // The row of 100% kept what it had.
            int row = -1;
            for (int r = 0; r < 4; ++r)
                if (d.list.GetItemText(r, 5) == L"100%")
                    row = r;
            ASSERT_GE(row, 0);
            EXPECT_EQ(22u, d.list.GetItemData(row));
            EXPECT_TRUE(d.list.TestItemState(row, RVIS_SELECTED | RVIS_CHECKED | RVIS_FOCUSED));
            EXPECT_EQ(1, d.list.GetItemCountByState(RVIS_SELECTED));
            EXPECT_EQ(1, d.list.GetItemCountByState(RVIS_CHECKED));
            EXPECT_EQ(1, d.list.GetItemCountByState(RVIS_FOCUSED));
            EXPECT_STREQ(L"y", d.list.GetItemText(row, 2));
            // The stripes were redrawn over the colour it had.
            EXPECT_EQ(StripeColor(row, 1, 1), d.list.GetItemBkColor(row, 1));
            ClickHeader(d, 7); // beyond the columns: keys change, nothing sorts
            EXPECT_EQ(7, d.list.GetSortKeys().front().nColumn);
        });
    d.steps.push_back(
        [](ReportDialog& d)
        {
            ASSERT_EQ(6, d.CountEvents(WM_REPORT_SORTED));
            EXPECT_EQ(0u, d.events[0].wParam);
            EXPECT_EQ(1, d.events[0].lParam);
            EXPECT_EQ(5u, d.events[2].wParam);
            EXPECT_EQ(0, d.events[2].lParam);
            EXPECT_EQ(1u, d.events[5].wParam);
            EXPECT_EQ(0, d.events[5].lParam);
        });
    RunReportDialog(d);
}

TEST(ReportSorting, RealHeaderClickAndEmptyList)
{
    ReportDialog d;
    d.steps.push_back(
        [](ReportDialog& d)
        {
            d.Fill({});
            d.list.SetSortable(TRUE);
            ClickHeader(d, 2);
        });
    d.steps.push_back(
        [](ReportDialog& d)
        {
            EXPECT_EQ(1, d.CountEvents(WM_REPORT_SORTED));
            d.Fill({L"b", L"c", L"a"});
            CHeaderCtrl* header = d.list.GetHeaderCtrl();
            RECT r;
            header->SendMessage(HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
            const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            header->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
            header->PostMessage(WM_LBUTTONUP, 0, at);
        });
    d.steps.push_back(
        [](ReportDialog& d)
        {
            EXPECT_EQ(2, d.CountEvents(WM_REPORT_SORTED));
            EXPECT_EQ((std::vector<std::wstring>{L"a", L"b", L"c"}), ColumnTexts(d.list, 0));
        });
    RunReportDialog(d);
}
