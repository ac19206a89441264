// The control bars and the controls of a main window, once each in a real window: a status
// bar with three panes and tip texts, a toolbar of icons in a rebar band, a tab control
// with two child-dialog pages, rich edit boxes of both classes with coloured lines, and a
// progress bar.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <cstdlib>
#include <vector>

#include "framework/CDialog.h"
#include "framework/CImageList.h"
#include "framework/CProgressCtrl.h"
#include "framework/CReBarCtrl.h"
#include "framework/CRichEditCtrl.h"
#include "framework/CStatusBar.h"
#include "framework/CTabCtrl.h"
#include "framework/CToolBar.h"
#include "framework_keys/KeysIds.h"
#include "framework_window/TestSupport.h"

TEST(StatusBar, PartEdgesGiveTheStretchingPaneWhatTheOthersLeave)
{
    EXPECT_EQ((std::vector<int>{250, 275, 300}), CStatusBar::PartRightEdges({25, 25, 25}, 0, 300));
    EXPECT_EQ((std::vector<int>{25, 290, 300}), CStatusBar::PartRightEdges({25, 0, 10}, 1, 300));
    // No stretching pane, or no room left: the widths alone.
    EXPECT_EQ((std::vector<int>{25, 50, 75}), CStatusBar::PartRightEdges({25, 25, 25}, -1, 300));
    EXPECT_EQ((std::vector<int>{25, 50, 75}), CStatusBar::PartRightEdges({25, 25, 25}, 0, 60));
    EXPECT_EQ((std::vector<int>{0, 30}), CStatusBar::PartRightEdges({-5, 30}, -1, 300));
    EXPECT_TRUE(CStatusBar::PartRightEdges({}, -1, 300).empty());
}

namespace
{
CString PaneText(const CStatusBar& bar, int nPane)
{
    wchar_t text[128] = L"";
    if (LOWORD(bar.SendMessage(SB_GETTEXTLENGTHW, static_cast<WPARAM>(nPane))) < 128)
        bar.SendMessage(SB_GETTEXTW, static_cast<WPARAM>(nPane), reinterpret_cast<LPARAM>(text));
    return text;
}

// Appends a line at the end in a colour and scrolls it into view, as the program's log does.
void AppendLine(CRichEditCtrl& box, LPCWSTR text, COLORREF colour)
{
    int lines = box.GetLineCount();
    box.SetSel(box.GetWindowTextLength() * 2, -1);
    CHARFORMATW format = {};
    format.dwMask = CFM_COLOR;
    format.crTextColor = colour;
    box.SetSelectionCharFormat(format);
    box.ReplaceSel(text);
    box.LineScroll(box.GetLineCount() - lines);
}

COLORREF ColourAt(CRichEditCtrl& box, long nChar)
{
    box.SetSel(nChar, nChar + 1);
    CHARFORMATW format = {};
    format.cbSize = sizeof(format);
    box.SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return format.crTextColor;
}
} // namespace

TEST(Bars, MainWindowControlsWorkInARealWindow)
{
    ASSERT_TRUE(AfxInitRichEdit());
    CDialog dlg;
    // The template holds rich edit boxes of both window classes.
    ASSERT_TRUE(dlg.Create(IDD_BARS));
    dlg.ShowWindow(SW_SHOW);
    CRect client;
    dlg.GetClientRect(&client);

    // Status bar: three panes from string resources, the first one stretching.
    CStatusBar status;
    ASSERT_TRUE(status.CreateEx(&dlg, SBARS_TOOLTIPS));
    EXPECT_EQ(static_cast<int>(AFX_IDW_STATUS_BAR), status.GetDlgCtrlID());
    const UINT indicators[] = {IDS_PANE_EVENT, IDS_PANE_STATE, IDS_PANE_FORMAT};
    ASSERT_TRUE(status.SetIndicators(indicators, 3));
    EXPECT_EQ(CString(L"Last event"), PaneText(status, 0));
    EXPECT_EQ(CString(L"Format"), PaneText(status, 2));
    status.MoveWindow(0, client.bottom - 25, client.Width(), 25);
    for (int i = 0; i < 3; i++)
        status.SetPaneInfo(i, indicators[i], i == 0 ? SBPS_STRETCH : SBPS_NORMAL, 25);
    CRect statusClient;
    status.GetClientRect(&statusClient);
    int edges[4] = {};
    ASSERT_EQ(3, static_cast<int>(status.SendMessage(SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges))));
    EXPECT_EQ(statusClient.Width() - 50, edges[0]);
    EXPECT_EQ(statusClient.Width() - 25, edges[1]);
    UINT id = 0, style = 0;
    int width = 0;
    status.GetPaneInfo(0, id, style, width);
    EXPECT_EQ(static_cast<UINT>(IDS_PANE_EVENT), id);
    EXPECT_EQ(SBPS_STRETCH, style);
    EXPECT_EQ(25, width);
    // The caller's own parts, then texts and tips.
    int parts[3] = {statusClient.Width() * 35 / 100, statusClient.Width() * 65 / 100, -1};
    ASSERT_TRUE(status.GetStatusBarCtrl().SetParts(3, parts));
    EXPECT_TRUE(status.SetPaneText(0, L"  12:00:00  Started"));
    EXPECT_TRUE(status.SetPaneText(2, L"MP3:  CBR 128 kbps; 44100 Hz; Joint Stereo;", FALSE));
    EXPECT_EQ(CString(L"  12:00:00  Started"), PaneText(status, 0));
    EXPECT_EQ(CString(L"MP3:  CBR 128 kbps; 44100 Hz; Joint Stereo;"), PaneText(status, 2));
    EXPECT_FALSE(status.SetPaneText(3, L"no such pane"));
    status.SetTipText(0, L"Last Event:  12:00:00  Started");
    wchar_t tip[64] = L"";
    status.SendMessage(SB_GETTIPTEXTW, MAKEWPARAM(0, 64), reinterpret_cast<LPARAM>(tip));
    EXPECT_STREQ(L"Last Event:  12:00:00  Started", tip);
    CRect pane;
    ASSERT_TRUE(status.GetRect(1, &pane));
    EXPECT_NEAR(parts[0], pane.left, 4);

    // Toolbar: 48 x 48 icons, three buttons, sized to the first button.
    CToolBar toolbar;
    ASSERT_TRUE(toolbar.CreateEx(&dlg, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT | TBSTYLE_TOOLTIPS));
    EXPECT_EQ(static_cast<int>(AFX_IDW_TOOLBAR), toolbar.GetDlgCtrlID());
    CImageList images;
    ASSERT_TRUE(images.Create(48, 48, ILC_COLOR32 | ILC_MASK, 8, 2));
    for (LPCWSTR icon : {IDI_APPLICATION, IDI_WARNING, IDI_INFORMATION})
        EXPECT_GE(images.Add(::LoadIconW(nullptr, icon)), 0);
    EXPECT_EQ(3, images.GetImageCount());
    EXPECT_EQ(nullptr, toolbar.SetImageList(&images));
    TBBUTTON buttons[3] = {};
    for (int i = 0; i < 3; i++)
    {
        buttons[i].iBitmap = i;
        buttons[i].idCommand = ID_BAR_FIRST + i;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON;
    }
    ASSERT_TRUE(toolbar.AddButtons(3, buttons));
    CRect first;
    ASSERT_TRUE(toolbar.GetItemRect(0, &first));
    EXPECT_TRUE(toolbar.SetButtonSize(CSize(first.Width(), first.Height())));
    toolbar.AutoSize();
    CRect second, secondByCommand;
    ASSERT_TRUE(toolbar.GetItemRect(1, &second));
    ASSERT_TRUE(toolbar.GetRect(ID_BAR_SECOND, &secondByCommand));
    EXPECT_EQ(second, secondByCommand);
    EXPECT_GE(second.Height(), 48);
    SIZE maxSize = {};
    ASSERT_TRUE(toolbar.GetMaxSize(&maxSize));
    EXPECT_GE(maxSize.cx, 3 * 48);
    EXPECT_GE(maxSize.cy, 48);
    // By position: command, style and image; the state stays.
    EXPECT_TRUE(toolbar.SetButtonInfo(0, ID_BAR_FIRST, 0x104, 2));
    UINT command = 0, buttonStyle = 0;
    int image = -1;
    ASSERT_TRUE(toolbar.GetButtonInfo(0, command, buttonStyle, image));
    EXPECT_EQ(static_cast<UINT>(ID_BAR_FIRST), command);
    EXPECT_EQ(static_cast<UINT>(BTNS_GROUP), buttonStyle);
    EXPECT_EQ(2, image);
    EXPECT_TRUE(toolbar.SendMessage(TB_ISBUTTONENABLED, ID_BAR_FIRST));
    EXPECT_FALSE(toolbar.GetButtonInfo(5, command, buttonStyle, image));
    EXPECT_TRUE(toolbar.ChangeBitmap(ID_BAR_THIRD, 0));
    EXPECT_EQ(0, static_cast<int>(toolbar.SendMessage(TB_GETBITMAP, ID_BAR_THIRD)));

    // Rebar: one band that holds the toolbar.
    CReBarCtrl rebar;
    ASSERT_TRUE(rebar.Create(WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_AUTOSIZE | RBS_BANDBORDERS |
                                 CCS_NODIVIDER,
                             CRect(0, 0, 0, 0), &dlg, AFX_IDW_REBAR));
    REBARBANDINFOW band = {};
    band.cbSize = REBARBANDINFOW_V6_SIZE;
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_IDEALSIZE | RBBIM_ID;
    band.fStyle = RBBS_BREAK | RBBS_NOGRIPPER | RBBS_USECHEVRON;
    band.hwndChild = toolbar.m_hWnd;
    band.cxMinChild = static_cast<UINT>(maxSize.cy);
    band.cyMinChild = static_cast<UINT>(maxSize.cy);
    band.cx = static_cast<UINT>(maxSize.cx);
    band.cxIdeal = static_cast<UINT>(maxSize.cx);
    ASSERT_TRUE(rebar.InsertBand(static_cast<UINT>(-1), &band));
    EXPECT_EQ(1u, rebar.GetBandCount());
    EXPECT_EQ(rebar.m_hWnd, ::GetParent(toolbar.m_hWnd));
    EXPECT_GE(rebar.GetBarHeight(), static_cast<UINT>(maxSize.cy));
    REBARBANDINFOW read = {};
    read.cbSize = REBARBANDINFOW_V6_SIZE;
    read.fMask = RBBIM_CHILDSIZE;
    ASSERT_TRUE(rebar.GetBandInfo(0, &read));
    EXPECT_EQ(static_cast<UINT>(maxSize.cy), read.cyMinChild);
    read.cyMinChild += 6;
    ASSERT_TRUE(rebar.SetBandInfo(0, &read));
    EXPECT_GE(rebar.GetBarHeight(), static_cast<UINT>(maxSize.cy + 6));
    CRect bandRect;
    ASSERT_TRUE(rebar.GetRect(0, &bandRect));
    EXPECT_FALSE(bandRect.IsRectEmpty());

    // Tab control with two child-dialog pages in its display area.
    CTabCtrl tabs;
    ASSERT_TRUE(tabs.SubclassDlgItem(IDC_BARS_TABS, &dlg));
    EXPECT_EQ(0, tabs.InsertItem(0, L"Log"));
    EXPECT_EQ(1, tabs.InsertItem(1, L"Device"));
    EXPECT_EQ(2, tabs.GetItemCount());
    CRect tab0, tab1;
    ASSERT_TRUE(tabs.GetItemRect(0, &tab0));
    ASSERT_TRUE(tabs.GetItemRect(1, &tab1));
    EXPECT_GE(tab1.left, tab0.right - 4);
    CRect area, tabsClient;
    tabs.GetClientRect(&tabsClient);
    area = tabsClient;
    tabs.AdjustRect(FALSE, &area);
    EXPECT_GT(area.top, tab0.top);
    EXPECT_LT(area.Width(), tabsClient.Width());
    CRect outer = area;
    tabs.AdjustRect(TRUE, &outer);
    EXPECT_EQ(tabsClient, outer);
    CDialog pages[2];
    for (int i = 0; i < 2; i++)
    {
        ASSERT_TRUE(pages[i].Create(IDD_BARS_PAGE, &tabs));
        pages[i].SetDlgItemText(IDC_BARS_PAGE_TEXT, i == 0 ? L"First page" : L"Second page");
        pages[i].SetWindowPos(nullptr, area.left, area.top, area.Width(), area.Height(), SWP_NOZORDER);
        EXPECT_EQ(&tabs, pages[i].GetParent());
    }
    EXPECT_EQ(0, tabs.SetCurSel(1));
    EXPECT_EQ(1, tabs.GetCurSel());
    pages[1].ShowWindow(SW_SHOW);

    // Rich edit boxes: coloured lines appended at the end, scrolled into view.
    CRichEditCtrl log, oldLog;
    ASSERT_TRUE(log.SubclassDlgItem(IDC_BARS_LOG, &dlg));
    ASSERT_TRUE(oldLog.SubclassDlgItem(IDC_BARS_OLDLOG, &dlg));
    log.LimitText(200000);
    EXPECT_EQ(200000, log.GetTextLimit());
    AppendLine(log, L"12:00:00   Started\r\n", RGB(0, 0, 255));
    AppendLine(log, L"12:00:01   Warning\r\n", RGB(153, 0, 0));
    AppendLine(log, L"12:00:02   Error\r\n", RGB(255, 0, 0));
    EXPECT_EQ(4, log.GetLineCount()); // and an empty last line
    CString text;
    log.GetWindowText(text);
    int warning = text.Find(L"Warning");
    int error = text.Find(L"Error");
    ASSERT_GT(warning, 0);
    ASSERT_GT(error, warning);
    EXPECT_EQ(RGB(0, 0, 255), ColourAt(log, 0));
    EXPECT_EQ(RGB(153, 0, 0), ColourAt(log, warning));
    EXPECT_EQ(RGB(255, 0, 0), ColourAt(log, error));
    for (int i = 0; i < 30; i++)
        AppendLine(log, L"12:00:03   Another line\r\n", RGB(0, 0, 255));
    EXPECT_GT(log.SendMessage(EM_GETFIRSTVISIBLELINE), 0); // the new lines are in view
    AppendLine(oldLog, L"Old class\r\n", RGB(255, 0, 0));
    EXPECT_EQ(RGB(255, 0, 0), ColourAt(oldLog, 0));
    EXPECT_EQ(2, oldLog.GetLineCount());

    // Progress bar: full range.
    CProgressCtrl progress;
    ASSERT_TRUE(progress.SubclassDlgItem(IDC_BARS_PROGRESS, &dlg));
    progress.SetRange(0, 1000);
    progress.SetPos(1000);
    EXPECT_EQ(1000, progress.GetPos());
    EXPECT_EQ(1000, static_cast<int>(progress.SendMessage(PBM_GETRANGE, FALSE)));

    dlg.UpdateWindow();
    // By hand: QM_SHOW_MS keeps the window up for a look.
    if (const char* show = std::getenv("QM_SHOW_MS"))
        PumpUntil([] { return false; }, static_cast<DWORD>(std::atoi(show)));
    dlg.DestroyWindow();
}
