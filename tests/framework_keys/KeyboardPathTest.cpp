// The keyboard path through a modal dialog with child-dialog pages on a tab control: real
// keystrokes (SendInput from a driver thread) with the focus on a page control reach the
// dialog's accelerators once, Tab moves within the page, Esc and Enter end nothing; the
// pages' idle updates run when the dialog hands them the idle message; and a modal dialog
// without a parent is owned by the program's main window.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "app/KeyFilters.h"
#include "framework/CCmdUI.h"
#include "framework/CDataExchange.h"
#include "framework/CTabCtrl.h"
#include "framework/CWinApp.h"
#include "framework_keys/KeysIds.h"
#include "framework_window/TestSupport.h"

namespace
{
constexpr UINT WM_TEST_FOCUS = WM_APP + 1; // wParam: the control to focus
constexpr UINT WM_TEST_PAGE = WM_APP + 2;  // wParam: the tab to show
constexpr UINT WM_TEST_END = WM_APP + 3;

class KeysDialog;

// A page as the program writes them: the main window's accelerators first (then the main
// window's own filter), Esc and Enter eaten, the rest to the dialog's filter.
class ForwardingPage : public CDialog
{
public:
    KeysDialog* pMain = nullptr;
    std::atomic<bool> applyEnabled{true};
    std::atomic<int> updates{0};

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnUpdateApply(CCmdUI* pCmdUI)
    {
        updates++;
        pCmdUI->Enable(applyEnabled);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ForwardingPage, CDialog)
ON_UPDATE_COMMAND_UI(IDC_PAGE1_APPLY, &ForwardingPage::OnUpdateApply)
END_MESSAGE_MAP()

class KeysDialog : public CDialog
{
public:
    KeysDialog() : CDialog(IDD_KEYS_MAIN)
    {
        accel = ::LoadAcceleratorsW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_KEYS));
    }

    HACCEL accel = nullptr;
    CTabCtrl tabs;
    ForwardingPage page1;
    CDialog page2; // leaves everything to the framework
    std::atomic<int> f4{0}, ctrlR{0}, oks{0}, cancels{0};

    // The program's main window filter.
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (KeyFilters::MainWindowKeys(m_hWnd, accel, pMsg))
            return TRUE;
        return CDialog::PreTranslateMessage(pMsg);
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_TABS, tabs); }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        tabs.InsertItem(0, L"One");
        tabs.InsertItem(1, L"Two");
        page1.pMain = this;
        page1.Create(IDD_KEYS_PAGE1, &tabs);
        page2.Create(IDD_KEYS_PAGE2, &tabs);
        CRect area;
        tabs.GetClientRect(&area);
        tabs.AdjustRect(FALSE, &area);
        for (CDialog* page : {static_cast<CDialog*>(&page1), &page2})
            page->SetWindowPos(nullptr, area.left, area.top, area.Width(), area.Height(), SWP_NOZORDER);
        ShowPage(0);
        return TRUE;
    }
    void ShowPage(int nTab)
    {
        tabs.SetCurSel(nTab);
        page1.ShowWindow(nTab == 0 ? SW_SHOW : SW_HIDE);
        page2.ShowWindow(nTab == 1 ? SW_SHOW : SW_HIDE);
    }
    void OnOK() override { oks++; }
    void OnCancel() override { cancels++; }
    void OnF4() { f4++; }
    void OnCtrlR() { ctrlR++; }
    LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam)
    {
        CDialog::OnKickIdle(wParam, lParam);
        page1.SendMessage(WM_KICKIDLE);
        page2.SendMessage(WM_KICKIDLE);
        return 0;
    }
    LRESULT OnTestFocus(WPARAM wParam, LPARAM)
    {
        SetForegroundWindow();
        ::SetFocus(reinterpret_cast<HWND>(wParam));
        return 0;
    }
    LRESULT OnTestPage(WPARAM wParam, LPARAM)
    {
        ShowPage(static_cast<int>(wParam));
        return 0;
    }
    LRESULT OnTestEnd(WPARAM, LPARAM)
    {
        EndDialog(42);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(KeysDialog, CDialog)
ON_COMMAND(ID_KEY_F4, &KeysDialog::OnF4)
ON_COMMAND(ID_KEY_CTRL_R, &KeysDialog::OnCtrlR)
ON_MESSAGE(WM_KICKIDLE, &KeysDialog::OnKickIdle)
ON_MESSAGE(WM_TEST_FOCUS, &KeysDialog::OnTestFocus)
ON_MESSAGE(WM_TEST_PAGE, &KeysDialog::OnTestPage)
ON_MESSAGE(WM_TEST_END, &KeysDialog::OnTestEnd)
END_MESSAGE_MAP()

// The program's page filter, as the File page runs it.
BOOL ForwardingPage::PreTranslateMessage(MSG* pMsg)
{
    if (KeyFilters::PageKeys(m_hWnd, pMain ? pMain->accel : nullptr, pMsg,
                             [this](MSG* pKey) { pMain->PreTranslateMessage(pKey); }))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 10000)
{
    DWORD start = ::GetTickCount();
    while (!done())
    {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(10);
    }
    return true;
}

void SendKey(WORD vk, bool up)
{
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &in, sizeof(in));
}

void Press(WORD vk, WORD modifier = 0)
{
    if (modifier)
        SendKey(modifier, false);
    SendKey(vk, false);
    SendKey(vk, true);
    if (modifier)
        SendKey(modifier, true);
}

// Drives the running dialog from its own thread; the first failed step is kept.
class Driver
{
public:
    Driver(KeysDialog& dlg, DWORD uiThread) : m_dlg(dlg), m_uiThread(uiThread) {}
    std::wstring failure;

    HWND Focus() const
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        return ::GetGUIThreadInfo(m_uiThread, &info) ? info.hwndFocus : nullptr;
    }
    bool Step(const wchar_t* name, const std::function<bool()>& done)
    {
        if (!failure.empty())
            return false;
        if (!WaitFor(done))
            failure = name;
        return failure.empty();
    }
    void FocusOn(HWND hWnd, const wchar_t* name)
    {
        if (!failure.empty())
            return;
        m_dlg.PostMessage(WM_TEST_FOCUS, reinterpret_cast<WPARAM>(hWnd));
        Step(name, [&] { return Focus() == hWnd && ::GetForegroundWindow() == m_dlg.m_hWnd; });
    }

private:
    KeysDialog& m_dlg;
    DWORD m_uiThread;
};

CString TextOf(HWND hWnd)
{
    wchar_t text[64] = L"";
    ::GetWindowTextW(hWnd, text, 64);
    return text;
}
} // namespace

TEST(KeyboardPath, KeysOnPageControlsReachTheDialogAndNavigateThePage)
{
    KeysDialog dlg;
    ASSERT_NE(nullptr, dlg.accel);
    Driver driver(dlg, ::GetCurrentThreadId());
    int f4AfterEscEnter = -1;
    CString typed;
    bool applyDisabledByIdle = false;

    std::thread thread(
        [&]
        {
            driver.Step(L"dialog up", [&] { return dlg.page2.m_hWnd && dlg.IsWindowVisible(); });
            HWND edit1 = ::GetDlgItem(dlg.page1.m_hWnd, IDC_PAGE1_EDIT);
            HWND apply1 = ::GetDlgItem(dlg.page1.m_hWnd, IDC_PAGE1_APPLY);
            HWND edit2 = ::GetDlgItem(dlg.page2.m_hWnd, IDC_PAGE2_EDIT);
            HWND button2 = ::GetDlgItem(dlg.page2.m_hWnd, IDC_PAGE2_BUTTON);

            // The page's update handler runs from the dialog's idle message.
            dlg.page1.applyEnabled = false;
            dlg.PostMessage(WM_NULL);
            applyDisabledByIdle =
                driver.Step(L"idle disables Apply", [&] { return !::IsWindowEnabled(apply1); });
            dlg.page1.applyEnabled = true;
            dlg.PostMessage(WM_NULL);
            driver.Step(L"idle enables Apply", [&] { return ::IsWindowEnabled(apply1) != FALSE; });

            // A page that forwards the keys itself.
            driver.FocusOn(edit1, L"focus on page 1");
            Press(VK_F4);
            driver.Step(L"F4 on page 1", [&] { return dlg.f4 >= 1; });
            Press('R', VK_CONTROL);
            driver.Step(L"Ctrl+R on page 1", [&] { return dlg.ctrlR >= 1; });
            Press(VK_TAB);
            driver.Step(L"Tab on page 1", [&] { return driver.Focus() == apply1; });
            Press(VK_ESCAPE);
            Press(VK_RETURN);
            Press(VK_F4); // once it has arrived, so have Esc and Enter
            driver.Step(L"F4 after Esc and Enter", [&] { return dlg.f4 >= 2; });
            f4AfterEscEnter = dlg.f4;

            // A page that leaves them to the framework.
            dlg.PostMessage(WM_TEST_PAGE, 1);
            driver.Step(L"page 2 shown", [&] { return ::IsWindowVisible(edit2) != FALSE; });
            driver.FocusOn(edit2, L"focus on page 2");
            Press('A');
            Press(VK_F4);
            driver.Step(L"F4 on page 2", [&] { return dlg.f4 >= 3; });
            Press('R', VK_CONTROL);
            driver.Step(L"Ctrl+R on page 2", [&] { return dlg.ctrlR >= 2; });
            Press(VK_TAB);
            driver.Step(L"Tab on page 2", [&] { return driver.Focus() == button2; });
            typed = TextOf(edit2);
            dlg.PostMessage(WM_TEST_END);
        });
    INT_PTR result = dlg.DoModal();
    thread.join();

    EXPECT_EQ(42, result);
    EXPECT_EQ(L"", driver.failure);
    EXPECT_TRUE(applyDisabledByIdle);
    EXPECT_GT(dlg.page1.updates, 0);
    // Each accelerator ran exactly once per press, on the dialog.
    EXPECT_EQ(3, dlg.f4);
    EXPECT_EQ(2, dlg.ctrlR);
    EXPECT_EQ(2, f4AfterEscEnter);
    EXPECT_EQ(0, dlg.oks);
    EXPECT_EQ(0, dlg.cancels);
    // The letter became one character; Ctrl+R typed nothing.
    EXPECT_EQ(CString(L"a"), typed);
}

namespace
{
class MainWindow : public CWnd
{
public:
    MainWindow()
    {
        EXPECT_TRUE(CreateEx(0, nullptr, L"main", WS_POPUP | WS_VISIBLE, 0, 0, 80, 60, nullptr, nullptr));
    }
};

class TestApp : public CWinApp
{
};

struct OwnerSeen
{
    HWND owner = nullptr;
    BOOL ownerEnabled = TRUE;
};

OwnerSeen RunWithoutParent()
{
    OwnerSeen seen;
    ScriptedDialog dlg(IDD_KEYS_MAIN);
    dlg.steps = {[&](ScriptedDialog& d)
                 {
                     seen.owner = ::GetWindow(d.m_hWnd, GW_OWNER);
                     seen.ownerEnabled = seen.owner ? ::IsWindowEnabled(seen.owner) : TRUE;
                     d.EndDialog(IDOK);
                 }};
    EXPECT_EQ(IDOK, dlg.DoModal());
    return seen;
}
} // namespace

TEST(KeyboardPath, ModalDialogWithoutParentIsOwnedByTheMainWindow)
{
    TestApp app;
    MainWindow main;
    app.m_pMainWnd = &main;
    OwnerSeen seen = RunWithoutParent();
    EXPECT_EQ(main.m_hWnd, seen.owner);
    EXPECT_FALSE(seen.ownerEnabled);
    EXPECT_TRUE(main.IsWindowEnabled());

    // Without a main window, the thread's active window owns it.
    app.m_pMainWnd = nullptr;
    main.SetActiveWindow();
    ASSERT_EQ(main.m_hWnd, ::GetActiveWindow());
    seen = RunWithoutParent();
    EXPECT_EQ(main.m_hWnd, seen.owner);
    EXPECT_FALSE(seen.ownerEnabled);
    EXPECT_TRUE(main.IsWindowEnabled());
}
