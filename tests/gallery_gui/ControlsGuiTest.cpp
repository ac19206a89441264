#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <thread>
#include <vector>

#include "controls/CFolderDialog.h"
#include "controls/ControlFont.h"
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

struct TipSearch
{
    HWND link;
    std::wstring text;
};

BOOL CALLBACK FindLinkTip(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<TipSearch*>(lParam);
    wchar_t cls[64] = {};
    ::GetClassNameW(hWnd, cls, 64);
    if (::lstrcmpiW(cls, TOOLTIPS_CLASSW) != 0)
        return TRUE;
    wchar_t buf[256] = {};
    TTTOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = search->link;
    ti.uId = 1;
    ti.lpszText = buf;
    ::SendMessageW(hWnd, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&ti));
    search->text = buf;
    return buf[0] ? FALSE : TRUE;
}

// The text of tool 1 of the link's tooltip, found among the thread's tooltip windows.
std::wstring LinkTipText(HWND hWndLink)
{
    TipSearch search{hWndLink, std::wstring()};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindLinkTip, reinterpret_cast<LPARAM>(&search));
    return search.text;
}

// Every pixel of the window's client area, row by row.
std::vector<COLORREF> Pixels(HWND hWnd)
{
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    HDC hDC = ::GetDC(hWnd);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < rc.bottom; ++y)
        for (int x = 0; x < rc.right; ++x)
            pixels.push_back(::GetPixel(hDC, x, y));
    ::ReleaseDC(hWnd, hDC);
    return pixels;
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

    // The same text repaints nothing; a new one repaints the cells that changed, and they
    // look as a repaint of the whole control draws them.
    HWND hTime = g.dlg.m_time.m_hWnd;
    RECT dirty;
    g.dlg.m_time.SetText(L"00:01:23.7");
    EXPECT_FALSE(::GetUpdateRect(hTime, &dirty, FALSE));
    g.dlg.m_time.SetText(L"00:01:28.9");
    ASSERT_TRUE(::GetUpdateRect(hTime, &dirty, FALSE));
    const std::vector<int> cells = SegmentCellPositions(L"00:01:28.9", s);
    EXPECT_EQ(dirty.left, SegmentCellSpan(cells[7], s).left);
    EXPECT_EQ(dirty.right, SegmentCellSpan(cells[9], s).right);
    g.dlg.m_time.UpdateWindow();
    const std::vector<COLORREF> cellsOnly = Pixels(hTime);
    g.dlg.m_time.Invalidate(FALSE);
    g.dlg.m_time.UpdateWindow();
    EXPECT_TRUE(cellsOnly == Pixels(hTime));

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
    // A new colour without redraw shows only at the next paint.
    g.dlg.m_hintBlue.SetTextColor(RGB(0, 128, 0), FALSE);
    g.dlg.m_hintBlue.UpdateWindow();
    EXPECT_FALSE(HasColour(g.dlg.m_hintBlue.m_hWnd, RGB(0, 128, 0)));
    g.dlg.m_hintBlue.Invalidate();
    g.dlg.m_hintBlue.UpdateWindow();
    EXPECT_TRUE(HasColour(g.dlg.m_hintBlue.m_hWnd, RGB(0, 128, 0)));
    EXPECT_EQ(g.dlg.m_hintPlain.GetTextColor(), ::GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(ColorStaticDrawFlags(SS_CENTER | SS_CENTERIMAGE),
              static_cast<UINT>(DT_CENTER | DT_VCENTER | DT_SINGLELINE));
    EXPECT_EQ(ColorStaticDrawFlags(SS_LEFT), static_cast<UINT>(DT_LEFT | DT_WORDBREAK));
    EXPECT_EQ(ColorStaticDrawFlags(SS_RIGHT), static_cast<UINT>(DT_RIGHT | DT_WORDBREAK));
}

TEST(ControlFont, OwnFontElseDefaultGuiFont)
{
    HWND hWnd = ::CreateWindowW(L"STATIC", L"x", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(hWnd);
    LOGFONTW gui = {}, lf = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui);
    ASSERT_TRUE(GetControlLogFont(hWnd, &lf));
    EXPECT_STREQ(lf.lfFaceName, gui.lfFaceName) << "a control without a font of its own";
    EXPECT_EQ(lf.lfHeight, gui.lfHeight);

    LOGFONTW mine = gui;
    mine.lfHeight = -23;
    HFONT hFont = ::CreateFontIndirectW(&mine);
    ::SendMessageW(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    ASSERT_TRUE(GetControlLogFont(hWnd, &lf));
    EXPECT_EQ(lf.lfHeight, -23);
    ::DestroyWindow(hWnd);
    ::DeleteObject(hFont);
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
    EXPECT_TRUE(PumpUntil([&] { return !site.IsOver(); }, 30000));
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
    EXPECT_EQ(LinkTipText(site.m_hWnd), L"http://other.example.org/") << "the tooltip shows the new target";
}

TEST(TrayGui, AddDoubleClickAndRemove)
{
    Gallery g;
    CSystemTray& tray = g.dlg.m_tray;
    EXPECT_FALSE(tray.SetTooltipText(L"before create")) << "not enabled yet";
    g.dlg.SendMessage(WM_COMMAND, IDC_TRAY_ADD, 0);
    ASSERT_TRUE(tray.IsEnabled());
    const bool added = !tray.State().removed;
    EXPECT_FALSE(tray.State().hidden) << "shown, or waiting for the taskbar";
    EXPECT_EQ(tray.State().readdPending, !added);
    EXPECT_EQ(tray.IconData().szInfo[0], L'\0') << "the balloon is not repeated";

    const std::wstring longTip(200, L't');
    tray.SetTooltipText(longTip.c_str());
    EXPECT_EQ(std::wstring(tray.IconData().szTip).size(), 127u);

    // A double click posts the default command: by position 0, then by command.
    tray.SendMessage(WM_TRAY_NOTIFY, IDR_TRAYMENU, WM_LBUTTONDBLCLK);
    PumpUntil([&] { return g.dlg.m_lastTrayCommand != 0; }, 30000);
    EXPECT_EQ(g.dlg.m_lastTrayCommand, static_cast<UINT>(ID_TRAY_RESTORE));
    g.dlg.m_lastTrayCommand = 0;
    EXPECT_EQ(tray.SendMessage(WM_TRAY_NOTIFY, IDR_TRAYMENU + 1, WM_LBUTTONDBLCLK), 0) << "another icon";
    // A position without an item has no command: nothing is posted.
    EXPECT_TRUE(tray.SetMenuDefaultItem(7, TRUE));
    EXPECT_TRUE(tray.SetMenuDefaultItem(7, TRUE)) << "same pair";
    EXPECT_EQ(tray.SendMessage(WM_TRAY_NOTIFY, IDR_TRAYMENU, WM_LBUTTONDBLCLK), 1);
    Pump(100); // this thread's queue: whatever was posted is handled by now
    EXPECT_EQ(g.dlg.m_lastTrayCommand, 0u);

    if (added)
    {
        // A work-area change finds the icon still there: it stays shown.
        tray.SendMessage(WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
        EXPECT_FALSE(tray.State().hidden);
        EXPECT_FALSE(tray.State().readdPending);
        // A recreated taskbar: the icon comes back (or, still there, is updated).
        tray.SendMessage(CSystemTray::m_nTaskbarCreatedMsg, 0, 0);
        EXPECT_FALSE(tray.State().removed || tray.State().hidden || tray.State().readdPending);
        const std::wstring longText(300, L'b');
        EXPECT_TRUE(tray.ShowBalloon(longText.c_str(), L"Title"));
        EXPECT_EQ(tray.IconData().szInfo[0], L'\0');
        // Modify: the recording icon and tip, through the gallery's button.
        g.dlg.SendMessage(WM_COMMAND, IDC_TRAY_MODIFY, 0);
        EXPECT_STREQ(tray.IconData().szTip, L"Recording");
        EXPECT_EQ(TextOf(::GetDlgItem(g.dlg.m_hWnd, IDC_STATUS)), L"Tray icon changed");
    }
    g.dlg.SendMessage(WM_COMMAND, IDC_TRAY_REMOVE, 0);
    EXPECT_TRUE(tray.State().removed);
    EXPECT_TRUE(tray.State().hidden);
}

namespace
{
void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    ::EndMenu();
}

// Records the menu it is about to show; the menu runs its own loop, which a timer ends.
class RecordingTray : public CSystemTray
{
public:
    void CustomizeTrayMenu(CMenu* pMenu) override
    {
        m_items = pMenu->GetMenuItemCount();
        m_default = pMenu->GetDefaultItem(0, FALSE);
        ::SetTimer(nullptr, 0, 300, EndMenuSoon);
    }
    int m_items = -1;
    UINT m_default = 0;
};
} // namespace

TEST(TrayGui, ClickShowsTheMenuWithItsDefault)
{
    Gallery g;
    RecordingTray tray;
    tray.SetTargetWnd(&g.dlg);
    HICON hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    tray.Create(nullptr, WM_TRAY_NOTIFY, L"menu", hIcon, IDR_TRAYMENU, TRUE);
    EXPECT_TRUE(tray.SetMenuDefaultItem(ID_TRAY_RESTORE, FALSE));
    EXPECT_EQ(tray.SendMessage(WM_TRAY_NOTIFY, IDR_TRAYMENU, WM_RBUTTONUP), 1);
    EXPECT_EQ(tray.m_items, 2);
    EXPECT_EQ(tray.m_default, static_cast<UINT>(ID_TRAY_RESTORE));
    // A left click's menu waits until no second click can come.
    tray.m_items = -1;
    EXPECT_EQ(tray.SendMessage(WM_TRAY_NOTIFY, IDR_TRAYMENU, WM_LBUTTONUP), 1);
    EXPECT_EQ(tray.m_items, -1);
    EXPECT_TRUE(PumpUntil([&] { return tray.m_items == 2; }, 10000));
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

namespace
{
std::vector<UINT> g_messages;
std::wstring g_lastPath;

LRESULT CALLBACK RecordProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == BFFM_SETSELECTIONW || message == BFFM_SETSTATUSTEXTW)
    {
        g_messages.push_back(message);
        g_lastPath = reinterpret_cast<LPCWSTR>(lParam);
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// A window standing in for the browser, recording what the dialog sends it.
HWND RecordingWindow()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = RecordProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QmFolderRecorder";
    ::RegisterClassW(&wc);
    return ::CreateWindowW(L"QmFolderRecorder", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                           nullptr);
}
} // namespace

TEST(FolderDialog, CallbackSelectsStatusAndValidates)
{
    HWND hWnd = RecordingWindow();
    ASSERT_TRUE(hWnd);
    ::CoInitialize(nullptr);
    {
        CFolderDialog plain(nullptr, L"C:\\windows");
        const LPARAM self = reinterpret_cast<LPARAM>(&plain);
        g_messages.clear();
        EXPECT_EQ(CFolderDialog::BrowseCallbackProc(hWnd, BFFM_INITIALIZED, 0, self), 0);
        ASSERT_EQ(g_messages.size(), 1u);
        EXPECT_EQ(g_messages[0], static_cast<UINT>(BFFM_SETSELECTIONW));
        EXPECT_EQ(g_lastPath, L"C:\\windows");

        g_messages.clear();
        CFolderDialog empty(nullptr, nullptr);
        CFolderDialog::BrowseCallbackProc(hWnd, BFFM_INITIALIZED, 0, reinterpret_cast<LPARAM>(&empty));
        EXPECT_TRUE(g_messages.empty()) << "no initial folder, no selection";

        // Selection changes give status text only with BIF_STATUSTEXT.
        LPITEMIDLIST pidl = nullptr;
        ASSERT_EQ(::SHParseDisplayName(L"C:\\windows", nullptr, &pidl, 0, nullptr), S_OK);
        CFolderDialog::BrowseCallbackProc(hWnd, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(pidl), self);
        EXPECT_TRUE(g_messages.empty());
        CFolderDialog status(nullptr, nullptr, nullptr, BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT);
        CFolderDialog::BrowseCallbackProc(hWnd, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(pidl),
                                          reinterpret_cast<LPARAM>(&status));
        ASSERT_EQ(g_messages.size(), 1u);
        EXPECT_EQ(g_messages[0], static_cast<UINT>(BFFM_SETSTATUSTEXTW));
        EXPECT_EQ(::lstrcmpiW(g_lastPath.c_str(), L"C:\\windows"), 0);
        ::CoTaskMemFree(pidl);

        EXPECT_EQ(CFolderDialog::BrowseCallbackProc(hWnd, BFFM_VALIDATEFAILEDW,
                                                    reinterpret_cast<LPARAM>(L"Q:\\nope"), self),
                  1)
            << "the browser stays open";

        EXPECT_TRUE(plain.SetRootFolder(L"C:\\windows"));
        EXPECT_TRUE(plain.GetBrowseInfo().pidlRoot);
        EXPECT_TRUE(plain.SetRootFolder(nullptr));
        EXPECT_FALSE(plain.GetBrowseInfo().pidlRoot);
    }
    ::CoUninitialize();
    ::DestroyWindow(hWnd);
}

TEST(FolderDialogGui, OpensOnInitialFolderAndCancels)
{
    ::CoInitialize(nullptr);
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    for (const int button : {IDOK, IDCANCEL})
    {
        Gallery g;
        CFolderDialog dlg(L"Pick", windows, &g.dlg, BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT);
        HWND found = nullptr;
        std::thread t(
            [&]
            {
                // The browser's own title varies; it is the new top-level dialog of this process.
                const DWORD start = ::GetTickCount();
                while (!found && ::GetTickCount() - start < 30000)
                {
                    HWND h = ::FindWindowW(L"#32770", nullptr);
                    if (h && h != g.dlg.m_hWnd && ::IsWindowVisible(h))
                        found = h;
                    ::Sleep(50);
                }
                if (found)
                {
                    // Answered once the browser's own loop runs, so its set-up is over.
                    DWORD_PTR ignored = 0;
                    ::SendMessageTimeoutW(found, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored);
                    ::PostMessageW(found, WM_COMMAND, static_cast<WPARAM>(button), 0);
                }
            });
        const INT_PTR r = dlg.DoModal();
        t.join();
        ASSERT_TRUE(found);
        EXPECT_EQ(r, button);
        if (button == IDOK)
            EXPECT_EQ(::lstrcmpiW(dlg.GetFolderPath(), windows), 0) << "the initial folder was selected";
        else
            EXPECT_STREQ(dlg.GetFolderPath(), L"") << "cancel leaves the result empty";
    }
    ::CoUninitialize();
}

namespace
{
// Sets the default value of a key under HKEY_CLASSES_ROOT for one test and restores it.
class ClassesValue
{
public:
    ClassesValue(std::wstring key, const std::wstring& value) : m_key(std::move(key))
    {
        wchar_t old[MAX_PATH] = {};
        LONG size = sizeof(old);
        m_had = ::RegQueryValueW(HKEY_CLASSES_ROOT, m_key.c_str(), old, &size) == ERROR_SUCCESS;
        m_old = old;
        Set(value);
    }
    ~ClassesValue()
    {
        if (m_had)
            Set(m_old);
        else
            ::RegDeleteTreeW(HKEY_CLASSES_ROOT, m_key.c_str());
    }

private:
    void Set(const std::wstring& v)
    {
        ::RegSetValueW(HKEY_CLASSES_ROOT, m_key.c_str(), REG_SZ, v.c_str(),
                       static_cast<DWORD>(v.size() * sizeof(wchar_t)));
    }
    std::wstring m_key;
    std::wstring m_old;
    bool m_had = false;
};

std::wstring FileText(const std::wstring& path)
{
    std::wstring text;
    if (FILE* f = _wfopen(path.c_str(), L"rb"))
    {
        char buf[512] = {};
        const size_t n = fread(buf, 1, sizeof(buf) - 1, f);
        fclose(f);
        for (size_t i = 0; i < n && buf[i] != '\r' && buf[i] != '\n'; ++i)
            text += static_cast<wchar_t>(buf[i]);
    }
    while (!text.empty() && text.back() == L' ')
        text.pop_back();
    return text;
}

// Clicks the link as the mouse would: the static's click notification reaches the dialog,
// which reflects it to the control.
void ClickLink(CHyperLink& link)
{
    link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    link.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}
} // namespace

TEST(HyperLinkGui, ClickFallsBackToTheWebPageAssociation)
{
    Gallery g;
    CHyperLink& link = g.dlg.m_linkSite;
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring out = std::wstring(temp) + L"qm_link_click.txt";
    ::DeleteFileW(out.c_str());
    // A scheme the shell does not know, and a web-page handler that writes what it was given.
    ClassesValue htm(L".htm", L"QmTestHtml");
    ClassesValue command(L"QmTestHtml\\shell\\open\\command",
                         L"C:\\windows\\system32\\cmd.exe /c > \"" + out + L"\" echo \"%1\"");
    const std::wstring url = L"qmnosuch:page?a=1&b=2";
    link.SetURL(url.c_str());
    ClickLink(link);
    EXPECT_TRUE(PumpUntil([&] { return !FileText(out).empty(); }, 30000));
    EXPECT_EQ(FileText(out), L"\"" + url + L"\"") << "the URL arrives as one quoted argument";
    EXPECT_TRUE(link.GetVisited());
    EXPECT_FALSE(link.IsOver());
    ::DeleteFileW(out.c_str());
}

TEST(HyperLinkGui, ClickThatCannotOpenExplainsAndStaysUnvisited)
{
    Gallery g;
    CHyperLink& link = g.dlg.m_linkSite;
    ClassesValue htm(L".htm", L"QmTestNoHandler");
    link.SetURL(L"qmnosuch:page");
    std::wstring shown;
    std::thread t(
        [&]
        {
            const DWORD start = ::GetTickCount();
            HWND box = nullptr;
            while (!box && ::GetTickCount() - start < 30000)
            {
                HWND h = ::FindWindowW(L"#32770", nullptr);
                if (h && h != g.dlg.m_hWnd && ::IsWindowVisible(h))
                    box = h;
                ::Sleep(50);
            }
            if (!box)
                return;
            for (HWND c = ::GetWindow(box, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
                if (TextOf(c).rfind(L"Unable to open hyperlink:", 0) == 0)
                    shown = TextOf(c);
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
    ClickLink(link);
    t.join();
    EXPECT_EQ(shown.rfind(L"Unable to open hyperlink:\n\n", 0), 0u)
        << "shown: " << std::string(shown.begin(), shown.end());
    EXPECT_FALSE(link.GetVisited());
}
