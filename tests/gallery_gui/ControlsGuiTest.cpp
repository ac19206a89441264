#include <gtest/gtest.h>

#include <shlobj.h>

#include <thread>

#include "controls/CFolderDialog.h"
#include "controls/SevenSegment.h"
#include "tests/gallery_gui/GuiSupport.h"
#include "tools/gallery/GalleryIds.h"

namespace
{
// Whether any pixel of the window's client area has the colour.
bool HasColour(HWND hWnd, COLORREF colour)
{
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    HDC hDC = ::GetDC(hWnd);
    bool found = false;
    for (int y = 0; y < rc.bottom && !found; ++y)
        for (int x = 0; x < rc.right && !found; ++x)
            found = ::GetPixel(hDC, x, y) == colour;
    ::ReleaseDC(hWnd, hDC);
    return found;
}

COLORREF PixelAt(HWND hWnd, int x, int y)
{
    HDC hDC = ::GetDC(hWnd);
    const COLORREF c = ::GetPixel(hDC, x, y);
    ::ReleaseDC(hWnd, hDC);
    return c;
}

bool Underlined(HWND hWnd)
{
    LOGFONTW lf = {};
    ::GetObjectW(reinterpret_cast<HGDIOBJ>(::SendMessageW(hWnd, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
    return lf.lfUnderline != 0;
}
} // namespace

TEST(SevenSegmentGui, TimeAndLevelsPaint)
{
    Gallery g;
    EXPECT_EQ(g.dlg.m_time.GetText(), CString(L"00:01:23.7"));
    g.dlg.m_time.UpdateWindow();
    g.dlg.m_levelRight.UpdateWindow();
    RECT rc;
    g.dlg.m_time.GetClientRect(&rc);
    const SegmentSize s = g.dlg.m_time.GetSegmentSize();
    EXPECT_EQ(s.thickness, SegmentSizeForHeight(rc.bottom).thickness);
    EXPECT_EQ(s.length, SegmentSizeForHeight(rc.bottom).length);
    // The top segment of the first "0" is lit; three blanks show only ghost segments.
    const int x = 2 * s.thickness + 1;
    EXPECT_EQ(PixelAt(g.dlg.m_time.m_hWnd, x, s.thickness), RGB(0, 255, 0));
    EXPECT_EQ(PixelAt(g.dlg.m_time.m_hWnd, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(g.dlg.m_levelRight.m_hWnd, x, s.thickness), RGB(0, 85, 0));
    EXPECT_FALSE(HasColour(g.dlg.m_levelRight.m_hWnd, RGB(0, 255, 0)));
    // The "-" of a level lights its middle segment.
    EXPECT_EQ(PixelAt(g.dlg.m_levelLeft.m_hWnd, x, s.length + 3 * s.thickness), RGB(0, 255, 0));

    // A resize after the first paint keeps the segment sizes.
    g.dlg.m_time.SetWindowPos(nullptr, 0, 0, rc.right, rc.bottom * 2, SWP_NOMOVE | SWP_NOZORDER);
    g.dlg.m_time.SetText(L"12:34:56.7");
    g.dlg.m_time.UpdateWindow();
    EXPECT_EQ(g.dlg.m_time.GetSegmentSize().length, s.length);
}

TEST(ColorStaticGui, ColoursAndFont)
{
    Gallery g;
    EXPECT_EQ(g.dlg.m_hintRed.GetTextColor(), RGB(255, 0, 0));
    EXPECT_EQ(g.dlg.m_hintRed.GetBackgroundColor(), ::GetSysColor(COLOR_BTNFACE));
    g.dlg.m_hintRed.UpdateWindow();
    g.dlg.m_hintBlue.UpdateWindow();
    EXPECT_TRUE(HasColour(g.dlg.m_hintRed.m_hWnd, RGB(255, 0, 0)));
    EXPECT_TRUE(HasColour(g.dlg.m_hintBlue.m_hWnd, RGB(0, 0, 255)));
    EXPECT_FALSE(HasColour(g.dlg.m_hintBlue.m_hWnd, RGB(255, 0, 0)));
    EXPECT_EQ(ColorStaticDrawFlags(SS_CENTER | SS_CENTERIMAGE),
              static_cast<UINT>(DT_CENTER | DT_VCENTER | DT_SINGLELINE));
    EXPECT_EQ(ColorStaticDrawFlags(SS_LEFT), static_cast<UINT>(DT_LEFT | DT_WORDBREAK));
    EXPECT_EQ(ColorStaticDrawFlags(SS_RIGHT), static_cast<UINT>(DT_RIGHT | DT_WORDBREAK));
}

TEST(HyperLinkGui, TextUrlColoursAndHover)
{
    Gallery g;
    CHyperLink& site = g.dlg.m_linkSite;
    EXPECT_EQ(site.GetURL(), CString(L"http://www.example.com/"));
    CString text;
    g.dlg.m_linkMail.GetWindowText(text);
    EXPECT_EQ(text, CString(L"mailto:someone@example.com")) << "an empty label shows its URL";
    EXPECT_TRUE(site.GetStyle() & SS_NOTIFY);
    EXPECT_TRUE(site.GetLinkCursor()) << "the system hand serves when no other is found";
    EXPECT_EQ(site.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(site.m_hWnd), HTCLIENT), TRUE);

    site.UpdateWindow();
    EXPECT_EQ(site.CurrentColour(), RGB(0, 0, 238));
    EXPECT_TRUE(HasColour(site.m_hWnd, RGB(0, 0, 238)));
    EXPECT_FALSE(Underlined(site.m_hWnd));

    // Hover: underlined and red until the cursor is found outside.
    RECT wr;
    site.GetWindowRect(&wr);
    ::SetCursorPos(wr.left + 2, wr.top + 2);
    site.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(site.IsOver());
    EXPECT_TRUE(Underlined(site.m_hWnd));
    site.UpdateWindow();
    EXPECT_TRUE(HasColour(site.m_hWnd, RGB(255, 0, 0)));
    ::SetCursorPos(wr.right + 200, wr.bottom + 200);
    EXPECT_TRUE(PumpUntil([&] { return !site.IsOver(); }, 1000));
    EXPECT_FALSE(Underlined(site.m_hWnd));

    // Visited stays visited.
    site.SetVisited(TRUE);
    site.SetVisited(FALSE);
    EXPECT_TRUE(site.GetVisited());
    EXPECT_EQ(site.CurrentColour(), RGB(85, 26, 139));

    // A new URL changes the target, not the text, and keeps the fitted size.
    site.GetWindowRect(&wr);
    site.SetURL(L"http://other.example.org/");
    RECT wr2;
    site.GetWindowRect(&wr2);
    site.GetWindowText(text);
    EXPECT_EQ(text, CString(L"http://www.example.com/"));
    EXPECT_EQ(wr2.right - wr2.left, wr.right - wr.left);
}

TEST(TrayGui, AddDoubleClickAndRemove)
{
    Gallery g;
    CSystemTray& tray = g.dlg.m_tray;
    EXPECT_FALSE(tray.SetTooltipText(L"before create")) << "not enabled yet";
    g.dlg.SendMessage(WM_COMMAND, IDC_TRAY_ADD, 0);
    ASSERT_TRUE(tray.IsEnabled());
    const bool added = !tray.State().removed;
    EXPECT_EQ(tray.State().hidden, !added);
    EXPECT_EQ(tray.IconData().szInfo[0], L'\0') << "the balloon is not repeated";

    const std::wstring longTip(200, L't');
    tray.SetTooltipText(longTip.c_str());
    EXPECT_EQ(std::wstring(tray.IconData().szTip).size(), 127u);

    // A double click posts the default command: by position 0, then by command.
    tray.SendMessage(WM_TRAY_NOTIFY, IDR_TRAYMENU, WM_LBUTTONDBLCLK);
    Pump(100);
    EXPECT_EQ(g.dlg.m_lastTrayCommand, static_cast<UINT>(ID_TRAY_RESTORE));
    g.dlg.m_lastTrayCommand = 0;
    EXPECT_EQ(tray.SendMessage(WM_TRAY_NOTIFY, IDR_TRAYMENU + 1, WM_LBUTTONDBLCLK), 0) << "another icon";
    // A position without an item has no command: nothing is posted.
    EXPECT_TRUE(tray.SetMenuDefaultItem(7, TRUE));
    EXPECT_TRUE(tray.SetMenuDefaultItem(7, TRUE)) << "same pair";
    EXPECT_EQ(tray.SendMessage(WM_TRAY_NOTIFY, IDR_TRAYMENU, WM_LBUTTONDBLCLK), 1);
    Pump(100);
    EXPECT_EQ(g.dlg.m_lastTrayCommand, 0u);

    if (added)
    {
        // A work-area change finds the icon still there: it stays shown.
        tray.SendMessage(WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
        EXPECT_FALSE(tray.State().hidden);
        EXPECT_FALSE(tray.State().readdPending);
        const std::wstring longText(300, L'b');
        EXPECT_TRUE(tray.ShowBalloon(longText.c_str(), L"Title"));
    }
    g.dlg.SendMessage(WM_COMMAND, IDC_TRAY_REMOVE, 0);
    EXPECT_TRUE(tray.State().removed);
    EXPECT_TRUE(tray.State().hidden);
}

namespace
{
// Records the menu it is about to show.
class RecordingTray : public CSystemTray
{
public:
    void CustomizeTrayMenu(CMenu* pMenu) override
    {
        m_items = pMenu->GetMenuItemCount();
        m_default = pMenu->GetDefaultItem(0, FALSE);
    }
    int m_items = -1;
    UINT m_default = 0;
};

void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    ::EndMenu();
}
} // namespace

TEST(TrayGui, ClickShowsTheMenuWithItsDefault)
{
    Gallery g;
    RecordingTray tray;
    tray.SetTargetWnd(&g.dlg);
    HICON hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    tray.Create(nullptr, WM_TRAY_NOTIFY, L"menu", hIcon, IDR_TRAYMENU, TRUE);
    EXPECT_TRUE(tray.SetMenuDefaultItem(ID_TRAY_RESTORE, FALSE));
    // The menu runs its own loop; a timer ends it.
    ::SetTimer(nullptr, 0, 300, EndMenuSoon);
    EXPECT_EQ(tray.SendMessage(WM_TRAY_NOTIFY, IDR_TRAYMENU, WM_RBUTTONUP), 1);
    EXPECT_EQ(tray.m_items, 2);
    EXPECT_EQ(tray.m_default, static_cast<UINT>(ID_TRAY_RESTORE));
    EXPECT_EQ(tray.SendMessage(WM_TRAY_NOTIFY, IDR_TRAYMENU, WM_MOUSEMOVE), 1);
    tray.RemoveIcon();
}

TEST(TrayGui, HideIntoTrayAndBack)
{
    Gallery g;
    g.dlg.SendMessage(WM_COMMAND, IDC_TRAY_HIDE, 0);
    EXPECT_FALSE(g.dlg.IsWindowVisible());
    EXPECT_NE(::GetAncestor(g.dlg.m_hWnd, GA_PARENT), ::GetDesktopWindow()) << "parked";
    g.dlg.SendMessage(WM_COMMAND, ID_TRAY_RESTORE, 0);
    EXPECT_TRUE(g.dlg.IsWindowVisible());
    EXPECT_EQ(::GetAncestor(g.dlg.m_hWnd, GA_PARENT), ::GetDesktopWindow());
}

TEST(FolderDialogGui, OpensOnInitialFolder)
{
    ::CoInitialize(nullptr);
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    {
        Gallery g;
        CFolderDialog dlg(L"Pick", windows, &g.dlg, BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT);
        HWND found = nullptr;
        std::thread t(
            [&]
            {
                // The browser's own title varies; it is the new top-level dialog of this process.
                const DWORD start = ::GetTickCount();
                while (!found && ::GetTickCount() - start < 5000)
                {
                    HWND h = ::FindWindowW(L"#32770", nullptr);
                    if (h && h != g.dlg.m_hWnd && ::IsWindowVisible(h))
                        found = h;
                    ::Sleep(50);
                }
                ::Sleep(500);
                if (found)
                    ::PostMessageW(found, WM_COMMAND, IDOK, 0);
            });
        const INT_PTR r = dlg.DoModal();
        t.join();
        ASSERT_TRUE(found);
        EXPECT_EQ(r, IDOK);
        EXPECT_EQ(::lstrcmpiW(dlg.GetFolderPath(), windows), 0) << "the initial folder was selected";
    }
    ::CoUninitialize();
}
