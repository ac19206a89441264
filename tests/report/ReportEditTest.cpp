// In-place editing driven by keys and clicks through the dialog's modal loop.
#include <gtest/gtest.h>

#include "tests/report/ReportDialog.h"

namespace
{
void Type(ReportDialog& d, LPCWSTR text)
{
    d.list.GetEditControl()->SetWindowText(text);
}

std::pair<int, int> Selection(ReportDialog& d)
{
    int start = 0, end = 0;
    d.list.GetEditControl()->GetSel(start, end);
    return {start, end};
}

void FillFive(ReportDialog& d)
{
    d.Fill({L"take0.wav|p0|WAV|a0", L"take1.wav|p1|WAV|a1", L"take2|p2|MP3|a2", L".hidden|p3|OGG|a3",
            L"take4.wav|p4|WAV|a4"});
    d.list.SetEditable(TRUE);
    EXPECT_TRUE(d.list.SetColumnEditable(0));
    EXPECT_TRUE(d.list.SetColumnEditable(3));
    EXPECT_FALSE(d.list.SetColumnEditable(3));
    EXPECT_FALSE(d.list.SetColumnEditable(6));
    EXPECT_FALSE(d.list.SetColumnEditable(-1));
}
} // namespace

TEST(ReportEdit, ReturnCommitsAndEscDiscardsWithoutReachingTheDialog)
{
    ReportDialog d;
    d.steps.push_back(
        [](ReportDialog& d)
        {
            FillFive(d);
            ASSERT_TRUE(d.list.StartEdit(1, 0));
            EXPECT_TRUE(d.list.IsEditing());
            EXPECT_TRUE(d.list.GetEditControl()->IsWindowVisible());
            EXPECT_EQ(std::make_pair(0, 5), Selection(d));
            EXPECT_STREQ(L"take1.wav", d.list.m_strEditOriginal);
            EXPECT_EQ(1, d.list.GetNextItemByState(RVIS_SELECTED | RVIS_FOCUSED));
            Type(d, L"new.wav");
            d.PostKey(VK_RETURN);
        });
    d.steps.push_back(
        [](ReportDialog& d)
        {
            EXPECT_FALSE(d.list.IsEditing());
            EXPECT_FALSE(d.list.GetEditControl()->IsWindowVisible());
            EXPECT_STREQ(L"new.wav", d.list.GetItemText(1, 0));
            ASSERT_EQ(1, d.CountEvents(WM_REPORT_EDITDONE));
            EXPECT_EQ(1, d.events[0].row);
            EXPECT_EQ(0, d.events[0].column);
            EXPECT_EQ(reinterpret_cast<LPARAM>(d.list.m_hWnd), d.events[0].lParam);
            EXPECT_FALSE(d.okPressed);
            ASSERT_TRUE(d.list.StartEdit(2, 3));
            Type(d, L"dropped");
            d.PostKey(VK_ESCAPE);
        });
    d.steps.push_back(
        [](ReportDialog& d)
        {
            EXPECT_FALSE(d.list.IsEditing());
            EXPECT_STREQ(L"a2", d.list.GetItemText(2, 3));
            EXPECT_EQ(1, d.CountEvents(WM_REPORT_EDITDONE));
            EXPECT_FALSE(d.cancelPressed);
            // Unchanged text commits nothing; a change of case is a change.
            ASSERT_TRUE(d.list.StartEdit(0, 3));
            EXPECT_FALSE(d.list.EndEdit(TRUE));
            EXPECT_FALSE(d.list.EndEdit(TRUE));
            ASSERT_TRUE(d.list.StartEdit(0, 3));
            Type(d, L"A0");
            EXPECT_TRUE(d.list.EndEdit(TRUE));
            EXPECT_EQ(2, d.CountEvents(WM_REPORT_EDITDONE));
        });
    RunReportDialog(d);
}

TEST(ReportEdit, UpDownWrapAndTabCyclesEditableColumns)
{
    ReportDialog d;
    d.steps.push_back(
        [](ReportDialog& d)
        {
            FillFive(d);
            ASSERT_TRUE(d.list.StartEdit(4, 0));
            d.PostKey(VK_DOWN);
        });
    d.steps.push_back(
        [](ReportDialog& d)
        {
            EXPECT_TRUE(d.list.IsEditing());
            EXPECT_EQ(0, d.list.GetNextItemByState(RVIS_SELECTED));
            EXPECT_EQ(1, d.list.GetItemCountByState(RVIS_SELECTED));
            d.PostKey(VK_UP);
        });
    d.steps.push_back(
        [](ReportDialog& d)
        {
            EXPECT_EQ(4, d.list.GetNextItemByState(RVIS_SELECTED));
            d.PostKey(VK_TAB);
        });
    d.steps.push_back(
        [](ReportDialog& d)
        {
            // Column 3 is edited now: its text came up in the editor.
            CString text;
            d.list.GetEditControl()->GetWindowText(text);
            EXPECT_STREQ(L"a4", text);
            Type(d, L"z4");
            d.PostKey(VK_TAB);
        });
    d.steps.push_back(
        [](ReportDialog& d)
        {
            EXPECT_STREQ(L"z4", d.list.GetItemText(4, 3));
            CString text;
            d.list.GetEditControl()->GetWindowText(text);
            EXPECT_STREQ(L"take4.wav", text);
            EXPECT_TRUE(d.list.IsEditing());
            d.PostKey(VK_RETURN);
        });
    d.steps.push_back([](ReportDialog& d) { EXPECT_FALSE(d.okPressed); });
    RunReportDialog(d);
}

TEST(ReportEdit, TabOutsideTheEditableSetCommitsAndEnds)
{
    ReportDialog d;
    d.steps.push_back(
        [](ReportDialog& d)
        {
            FillFive(d);
            ASSERT_TRUE(d.list.StartEdit(1, 2)); // direct start: the set is not asked
            Type(d, L"FLAC");
            d.PostKey(VK_TAB);
        });
    d.steps.push_back(
        [](ReportDialog& d)
        {
            EXPECT_FALSE(d.list.IsEditing());
            EXPECT_STREQ(L"FLAC", d.list.GetItemText(1, 2));
            EXPECT_EQ(1, d.CountEvents(WM_REPORT_EDITDONE));
        });
    RunReportDialog(d);
}

TEST(ReportEdit, HandlerMayPutTheOldTextBackAndStillReadsThePosition)
{
    ReportDialog d;
    d.onEditDone = [](ReportDialog& d) { d.list.SetItemText(2, 0, L"kept"); };
    d.steps.push_back(
        [](ReportDialog& d)
        {
            FillFive(d);
            ASSERT_TRUE(d.list.StartEdit(2, 0));
            EXPECT_EQ(std::make_pair(0, 5), Selection(d)); // no extension: all of it
            Type(d, L"renamed");
            EXPECT_TRUE(d.list.EndEdit(TRUE));
            EXPECT_FALSE(d.list.IsEditing());
            EXPECT_STREQ(L"kept", d.list.GetItemText(2, 0));
            ASSERT_EQ(1, d.CountEvents(WM_REPORT_EDITDONE));
            // Read after the nested end of the edit inside the handler.
            EXPECT_EQ(2, d.events[0].row);
            EXPECT_EQ(0, d.events[0].column);
            ASSERT_TRUE(d.list.StartEdit(3, 0));
            EXPECT_EQ(std::make_pair(0, 0), Selection(d));
        });
    RunReportDialog(d);
}

TEST(ReportEdit, ListOperationsCommitOrDiscard)
{
    ReportDialog d;
    d.steps.push_back(
        [](ReportDialog& d)
        {
            FillFive(d);
            d.list.StartEdit(0, 3);
            Type(d, L"by insert");
            d.list.InsertItem(5, L"more");
            EXPECT_FALSE(d.list.IsEditing());
            EXPECT_STREQ(L"by insert", d.list.GetItemText(0, 3));

            d.list.StartEdit(1, 3);
            Type(d, L"by wheel");
            d.list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
            EXPECT_FALSE(d.list.IsEditing());
            EXPECT_STREQ(L"a1", d.list.GetItemText(1, 3));

            d.list.StartEdit(2, 3);
            Type(d, L"by delete");
            d.list.DeleteItem(2);
            EXPECT_FALSE(d.list.IsEditing());
            EXPECT_STREQ(L"a3", d.list.GetItemText(2, 3));
            EXPECT_EQ(1, d.CountEvents(WM_REPORT_EDITDONE));

            EXPECT_FALSE(d.list.StartEdit(9, 0));
            EXPECT_FALSE(d.list.StartEdit(0, 6));
            EXPECT_FALSE(d.list.IsEditing());
        });
    RunReportDialog(d);
}

TEST(ReportEdit, SecondClickOnASelectedRowOpensTheEditor)
{
    ReportDialog d;
    d.steps.push_back(
        [](ReportDialog& d)
        {
            FillFive(d);
            d.list.SetFocus();
            d.Click(1, 0);
        });
    d.steps.push_back(
        [](ReportDialog& d)
        {
            EXPECT_FALSE(d.list.IsEditing());
            EXPECT_TRUE(d.list.TestItemState(1, RVIS_SELECTED | RVIS_FOCUSED));
            d.Click(1, 1); // not an editable column
        });
    d.steps.push_back(
        [](ReportDialog& d)
        {
            EXPECT_FALSE(d.list.IsEditing());
            d.Click(1, 0);
        });
    d.steps.push_back(
        [](ReportDialog& d)
        {
            EXPECT_TRUE(d.list.IsEditing());
            Type(d, L"clicked.wav");
            d.Click(3, 3); // a click while editing only commits
        });
    d.steps.push_back(
        [](ReportDialog& d)
        {
            EXPECT_FALSE(d.list.IsEditing());
            EXPECT_STREQ(L"clicked.wav", d.list.GetItemText(1, 0));
        });
    RunReportDialog(d);
}

TEST(ReportEdit, StartOnAnotherCellAfterTheHandlerRemovedTheRowOpensNothing)
{
    ReportDialog d;
    d.onEditDone = [](ReportDialog& d)
    {
        while (d.list.GetItemCount() > 3)
            d.list.DeleteItem(3);
    };
    d.steps.push_back(
        [](ReportDialog& d)
        {
            FillFive(d);
            ASSERT_TRUE(d.list.StartEdit(4, 0));
            Type(d, L"gone.wav");
            // Its commit runs the handler, which takes the row away.
            EXPECT_FALSE(d.list.StartEdit(4, 3));
            EXPECT_EQ(3, d.list.GetItemCount());
            EXPECT_FALSE(d.list.IsEditing());
            EXPECT_FALSE(d.list.GetEditControl()->IsWindowVisible());
        });
    RunReportDialog(d);
}
