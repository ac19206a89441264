// Dialogs: the modal loop (owner state, idle updates, PreTranslateMessage order, nesting,
// WM_QUIT), results of dialog messages, template initialisation data and child pages.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/CBrush.h"
#include "framework/CCmdUI.h"
#include "framework/CallbackGuard.h"
#include "framework/CComboBox.h"
#include "framework/CDataExchange.h"
#include "framework/CListCtrl.h"
#include "framework/CMenu.h"
#include "TestIds.h"
#include "TestSupport.h"

namespace
{
class OwnerWindow : public CWnd
{
public:
    OwnerWindow() { EXPECT_TRUE(CreateEx(0, nullptr, L"owner", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr)); }
};
} // namespace

TEST(Dialog, ModalRunDisablesTheOwnerAndRestoresItsState)
{
    OwnerWindow owner;
    ScriptedDialog dlg(IDD_BASIC, &owner);
    BOOL ownerEnabledDuring = TRUE;
    dlg.steps = {[&](ScriptedDialog& d)
                 {
                     ownerEnabledDuring = owner.IsWindowEnabled();
                     d.EndDialog(55);
                 }};
    EXPECT_EQ(55, dlg.DoModal());
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, dlg.m_hWnd);

    // An owner that was disabled before stays disabled.
    owner.EnableWindow(FALSE);
    ScriptedDialog again(IDD_BASIC, &owner);
    again.steps = {[](ScriptedDialog& d) { d.EndDialog(IDCANCEL); }};
    EXPECT_EQ(IDCANCEL, again.DoModal());
    EXPECT_FALSE(owner.IsWindowEnabled());
}

namespace
{
class UpdatingDialog : public ScriptedDialog
{
public:
    UpdatingDialog() : ScriptedDialog(IDD_BASIC) {}
    BOOL enableAction = TRUE;
    int actions = 0;
    int updates = 0;

protected:
    void OnAction() { actions++; }
    void OnUpdateAction(CCmdUI* pCmdUI)
    {
        updates++;
        EXPECT_EQ(static_cast<UINT>(IDC_ACTION), pCmdUI->m_nID);
        // The idle update names the control; the check before a menu command has none.
        if (pCmdUI->m_pOther)
        {
            EXPECT_EQ(GetDlgItem(IDC_ACTION), pCmdUI->m_pOther);
        }
        pCmdUI->Enable(enableAction);
    }
    void OnUpdateOther(CCmdUI* pCmdUI) { pCmdUI->SetText(L"Updated"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(UpdatingDialog, ScriptedDialog)
ON_COMMAND(IDC_ACTION, &UpdatingDialog::OnAction)
ON_UPDATE_COMMAND_UI(IDC_ACTION, &UpdatingDialog::OnUpdateAction)
ON_UPDATE_COMMAND_UI_RANGE(IDC_OTHER, IDC_OTHER, &UpdatingDialog::OnUpdateOther)
END_MESSAGE_MAP()
} // namespace

TEST(Dialog, IdleUpdateRunsTheControlsUpdateHandlers)
{
    UpdatingDialog dlg;
    CString otherText;
    BOOL disabledAfterIdle = TRUE, enabledAgain = FALSE;
    int actionsWhileDisabled = -1;
    dlg.steps = {[&](ScriptedDialog&) { dlg.enableAction = FALSE; },
                 [&](ScriptedDialog&)
                 {
                     disabledAfterIdle = !dlg.GetDlgItem(IDC_ACTION)->IsWindowEnabled();
                     // A menu or accelerator command that its update handler disabled does nothing...
                     dlg.SendMessage(WM_COMMAND, IDC_ACTION, 0);
                     actionsWhileDisabled = dlg.actions;
                     dlg.enableAction = TRUE;
                 },
                 [&](ScriptedDialog&)
                 {
                     enabledAgain = dlg.GetDlgItem(IDC_ACTION)->IsWindowEnabled();
                     dlg.GetDlgItemText(IDC_OTHER, otherText);
                     dlg.SendMessage(WM_COMMAND, IDC_ACTION, 0); // ...an enabled one runs
                     dlg.EndDialog(IDOK);
                 }};
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(disabledAfterIdle);
    EXPECT_TRUE(enabledAgain);
    EXPECT_EQ(0, actionsWhileDisabled);
    EXPECT_EQ(1, dlg.actions);
    EXPECT_GT(dlg.updates, 2);
    EXPECT_EQ(CString(L"Updated"), otherText);
}

namespace
{
constexpr UINT ID_MENU_CHECKED = 2001;
constexpr UINT ID_MENU_PLAIN = 2002;
constexpr UINT ID_MENU_SUBFIRST = 2003;

class MenuDialog : public CDialog
{
public:
    MenuDialog() : CDialog(IDD_BASIC) {}

protected:
    void OnUpdateChecked(CCmdUI* pCmdUI)
    {
        pCmdUI->SetCheck(1);
        pCmdUI->Enable(FALSE);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MenuDialog, CDialog)
ON_UPDATE_COMMAND_UI(ID_MENU_CHECKED, &MenuDialog::OnUpdateChecked)
END_MESSAGE_MAP()
} // namespace

TEST(Dialog, MenuItemsAreUpdatedWhenTheirPopupOpens)
{
    MenuDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_BASIC));
    CMenu popup, sub;
    ASSERT_TRUE(popup.CreatePopupMenu());
    ASSERT_TRUE(sub.CreatePopupMenu());
    sub.AppendMenu(MF_STRING, ID_MENU_SUBFIRST, L"first");
    popup.AppendMenu(MF_STRING, ID_MENU_CHECKED, L"checked");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, ID_MENU_PLAIN, L"plain");
    popup.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), L"sub");

    dlg.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), MAKELPARAM(0, FALSE));
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED | MF_GRAYED),
              popup.GetMenuState(ID_MENU_CHECKED, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED));
    EXPECT_EQ(0u, popup.GetMenuState(ID_MENU_PLAIN, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED));
    // The submenu's item stands for its first item, which has no handler: left alone.
    EXPECT_EQ(0u, popup.GetMenuState(3, MF_BYPOSITION) & MF_GRAYED);
    dlg.DestroyWindow();
}

namespace
{
std::vector<std::wstring> g_order;

class KeyEdit : public CWnd
{
public:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message != WM_KEYDOWN)
            return FALSE;
        g_order.push_back(L"edit " + std::to_wstring(pMsg->wParam));
        return pMsg->wParam == VK_F6; // eats F6
    }
};

class KeyDialog : public ScriptedDialog
{
public:
    KeyDialog() : ScriptedDialog(IDD_BASIC) {}
    KeyEdit edit;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            g_order.push_back(L"dialog " + std::to_wstring(pMsg->wParam));
        return ScriptedDialog::PreTranslateMessage(pMsg);
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_EDIT, edit); }
};
} // namespace

TEST(Dialog, PreTranslateMessageRunsFromTheTargetOutwards)
{
    g_order.clear();
    KeyDialog dlg;
    dlg.steps = {[](ScriptedDialog& d)
                 {
                     static_cast<KeyDialog&>(d).edit.PostMessage(WM_KEYDOWN, VK_F5, 0);
                     static_cast<KeyDialog&>(d).edit.PostMessage(WM_KEYDOWN, VK_F6, 0);
                 },
                 [](ScriptedDialog& d) { d.EndDialog(IDOK); }};
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ((std::vector<std::wstring>{L"edit 116", L"dialog 116", L"edit 117"}), g_order);
}

TEST(Dialog, ModalDialogsNest)
{
    OwnerWindow owner;
    ScriptedDialog outer(IDD_BASIC, &owner);
    INT_PTR innerResult = 0;
    BOOL outerEnabledDuringInner = TRUE, outerEnabledAfterInner = FALSE, ownerEnabledAfterInner = TRUE;
    outer.steps = {[&](ScriptedDialog& o)
                   {
                       ScriptedDialog inner(IDD_BASIC, &o);
                       inner.steps = {[&](ScriptedDialog& i)
                                      {
                                          outerEnabledDuringInner = o.IsWindowEnabled();
                                          i.EndDialog(7);
                                      }};
                       innerResult = inner.DoModal();
                       outerEnabledAfterInner = o.IsWindowEnabled();
                       ownerEnabledAfterInner = owner.IsWindowEnabled();
                   },
                   [](ScriptedDialog& o) { o.EndDialog(8); }};
    EXPECT_EQ(8, outer.DoModal());
    EXPECT_EQ(7, innerResult);
    EXPECT_FALSE(outerEnabledDuringInner);
    EXPECT_TRUE(outerEnabledAfterInner);
    EXPECT_FALSE(ownerEnabledAfterInner); // still under the outer dialog
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(Dialog, QuitMessageEndsTheLoopAndIsPostedAgain)
{
    ScriptedDialog dlg(IDD_BASIC);
    dlg.steps = {[](ScriptedDialog&) { ::PostQuitMessage(3); }};
    EXPECT_EQ(-1, dlg.DoModal());
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
}

TEST(Dialog, ThrowingHandlerDoesNotEndTheModalLoop)
{
    CallbackGuard::SetReporter([](LPCWSTR) {});
    ScriptedDialog dlg(IDD_BASIC);
    dlg.steps = {[](ScriptedDialog&) { throw std::runtime_error("step failed"); },
                 [](ScriptedDialog& d) { d.EndDialog(IDOK); }};
    EXPECT_EQ(IDOK, dlg.DoModal());
    CallbackGuard::SetReporter(nullptr);
}

namespace
{
class DrawCountingList : public CListCtrl
{
public:
    int itemPrepaints = 0;

protected:
    void OnCustomDraw(NMHDR* nmhdr, LRESULT* pResult)
    {
        auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(nmhdr);
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT)
            *pResult = CDRF_NOTIFYITEMDRAW; // only this answer brings the item notifications
        else
        {
            if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT)
                itemPrepaints++;
            *pResult = CDRF_DODEFAULT;
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DrawCountingList, CListCtrl)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &DrawCountingList::OnCustomDraw)
END_MESSAGE_MAP()

class ResultDialog : public CDialog
{
public:
    ResultDialog() : CDialog(IDD_BASIC) {}
    DrawCountingList list;
    CBrush labelBrush{RGB(200, 220, 240)};

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_LIST, list); }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        list.InsertColumn(0, L"Name", LVCFMT_LEFT, 100);
        for (int i = 0; i < 3; i++)
            list.InsertItem(i, L"row");
        return TRUE;
    }
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        if (pWnd->GetDlgCtrlID() == IDC_LABEL)
            return labelBrush;
        return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ResultDialog, CDialog)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()
} // namespace

TEST(Dialog, MessageResultsReachTheSender)
{
    ResultDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_BASIC));
    dlg.ShowWindow(SW_SHOWNOACTIVATE);
    dlg.list.Invalidate();
    dlg.list.UpdateWindow();
    EXPECT_GE(dlg.list.itemPrepaints, 3);

    HDC hdc = ::GetDC(dlg.m_hWnd);
    auto ctlColor = [&](int id)
    {
        return reinterpret_cast<HBRUSH>(
            dlg.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc),
                            reinterpret_cast<LPARAM>(::GetDlgItem(dlg.m_hWnd, id))));
    };
    EXPECT_EQ(static_cast<HBRUSH>(dlg.labelBrush), ctlColor(IDC_LABEL));
    EXPECT_NE(nullptr, ctlColor(IDC_EDIT)); // the dialog manager's default brush
    ::ReleaseDC(dlg.m_hWnd, hdc);
    // Unhandled dialog messages get the dialog manager's answer.
    EXPECT_EQ(MAKELONG(IDOK, DC_HASDEFID), dlg.SendMessage(DM_GETDEFID));
    dlg.DestroyWindow();
}

TEST(Dialog, TemplateDataFillsListsAndPagesAreChildren)
{
    CDialog dlg(IDD_BASIC);
    ASSERT_TRUE(dlg.Create(IDD_BASIC));
    CComboBox combo;
    ASSERT_TRUE(combo.SubclassDlgItem(IDC_COMBO, &dlg));
    ASSERT_EQ(2, combo.GetCount());
    CString row;
    combo.GetLBText(1, row);
    EXPECT_EQ(CString(L"two"), row);
    combo.UnsubclassWindow();

    CDialog page;
    ASSERT_TRUE(page.Create(IDD_PAGE, &dlg));
    EXPECT_TRUE(page.GetStyle() & WS_CHILD);
    EXPECT_EQ(&dlg, page.GetParent());
    EXPECT_NE(nullptr, page.GetDlgItem(IDC_PAGE_BUTTON));
    dlg.DestroyWindow(); // takes the page with it
    EXPECT_EQ(nullptr, page.m_hWnd);
}
