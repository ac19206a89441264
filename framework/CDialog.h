// A dialog from a template of the resource module: modal through DoModal, or a modeless
// child page through Create. The dialog window is bound to its object from creation like
// every framework window, so its window procedure sits in front of the dialog manager's:
// whatever a handler returns (a WM_NOTIFY result such as a custom-draw answer, a
// WM_CTLCOLOR* brush) is the message's result, and only unhandled messages reach the
// dialog manager's default processing.
//
// DoModal creates the dialog modeless, disables its top-level owner (when enabled), and
// runs the framework's loop: each message goes through PreTranslateMessage from its target
// up to the dialog (CDialog's own runs IsDialogMessage; a child page's passes, leaving
// keyboard navigation to the top-level dialog), then to its window. When the
// queue empties, the dialog gets WM_KICKIDLE (wParam MSGF_DIALOGBOX, lParam the idle count;
// a non-zero result asks for another); CDialog's handler runs the ON_UPDATE_COMMAND_UI
// handlers of the dialog's controls. EndDialog ends the loop; the owner is enabled again
// only if DoModal disabled it. Modal dialogs nest.
#pragma once

#include "framework/CWnd.h"

class CDataExchange;

// Sent to a modal dialog when its loop goes idle.
constexpr UINT WM_KICKIDLE = 0x036A;

class CDialog : public CWnd
{
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // The EndDialog result; -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    // A modeless dialog (a child page when the template has WS_CHILD).
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

    // Runs DoDataExchange; FALSE when a value failed validation (the control has the focus).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void NextDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 1, 0); }

    // Fills the controls from the template's initialisation data (RT_DLGINIT: list and
    // combo box strings), then UpdateData(FALSE). TRUE puts the focus on the first control.
    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    virtual void OnOK();     // UpdateData(TRUE), then EndDialog(IDOK)
    virtual void OnCancel(); // EndDialog(IDCANCEL)
    virtual void DoDataExchange(CDataExchange* pDX);

    // The owner a modal window of this dialog gets: the parent's top-level window, else
    // the last active popup of the main window (or, without one, of the thread's active
    // window); none for the main window itself.
    HWND PreModal();
    void PostModal() {}
    int RunModalLoop();
    // Whether the loop goes idle again after this message (the idle pass runs the update
    // handlers). Not after paints, the caret's timer or a mouse that did not move; a
    // dialog may leave out its own frequent messages that change no command's state.
    virtual BOOL IsIdleMessage(const MSG* pMsg);
    BOOL ContinueModal() const { return m_bContinueModal && m_hWnd; }
    BOOL ExecuteDlgInit(LPCWSTR lpszResourceName);

    LRESULT HandleInitDialog(WPARAM, LPARAM);
    LRESULT OnKickIdle(WPARAM, LPARAM);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);

    LPCWSTR m_lpszTemplateName = nullptr;
    CWnd* m_pParentWnd = nullptr;
    INT_PTR m_nModalResult = -1;

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK StaticDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL CreateFromTemplate(HWND hWndParent);

    bool m_bModal = false;
    bool m_bContinueModal = false;
};
