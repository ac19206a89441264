#include "framework/CDialog.h"

#include <cstring>

#include "framework/CCmdUI.h"
#include "framework/CDataExchange.h"
#include "framework/CHandleMap.h"
#include "framework/CMenu.h"
#include "framework/CWinApp.h"
#include "framework/TextConvert.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
ON_MESSAGE(WM_KICKIDLE, &CDialog::OnKickIdle)
ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

namespace
{
LPCDLGTEMPLATEW LoadDialogTemplate(LPCWSTR name)
{
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceW(instance, name, MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    if (!resource)
        return nullptr;
    HGLOBAL loaded = ::LoadResource(instance, resource);
    return loaded ? static_cast<LPCDLGTEMPLATEW>(::LockResource(loaded)) : nullptr;
}

bool IsIdleByDefault(const MSG& msg)
{
    static thread_local POINT lastPoint = {-1, -1};
    static thread_local UINT lastMouseMessage = 0;
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE)
    {
        if (msg.message == lastMouseMessage && msg.pt.x == lastPoint.x && msg.pt.y == lastPoint.y)
            return false;
        lastPoint = msg.pt;
        lastMouseMessage = msg.message;
        return true;
    }
    const UINT WM_SYSTIMER = 0x0118; // the caret's blink
    return msg.message != WM_PAINT && msg.message != WM_SYSTIMER;
}
} // namespace

BOOL CDialog::IsIdleMessage(const MSG* pMsg)
{
    return IsIdleByDefault(*pMsg) ? TRUE : FALSE;
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_pParentWnd(pParentWnd)
{
}

// The dialog manager's procedure: every message has been through the object's window
// procedure already, so whatever reaches it wants the default processing.
INT_PTR CALLBACK CDialog::StaticDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

BOOL CDialog::CreateFromTemplate(HWND hWndParent)
{
    LPCDLGTEMPLATEW dialogTemplate = LoadDialogTemplate(m_lpszTemplateName);
    if (!dialogTemplate || m_hWnd)
        return FALSE;
    HWND hWnd;
    {
        CreationScope scope(this);
        hWnd = ::CreateDialogIndirectParamW(AfxGetResourceHandle(), dialogTemplate, hWndParent,
                                            &StaticDlgProc, 0);
    }
    if (hWnd && !m_hWnd)
        SubclassWindow(hWnd); // the hook could not be installed: WM_INITDIALOG was missed
    return hWnd != nullptr && m_hWnd == hWnd;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_lpszTemplateName = MAKEINTRESOURCEW(nIDTemplate);
    m_pParentWnd = pParentWnd;
    m_bModal = false;
    return CreateFromTemplate(pParentWnd ? pParentWnd->m_hWnd : nullptr);
}

HWND CDialog::PreModal()
{
    HWND hOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (hOwner)
        return ::GetAncestor(hOwner, GA_ROOT);
    CWnd* pMain = AfxGetMainWnd();
    if (pMain == this)
        return nullptr;
    // Without a main window, the thread's active window (a message box, a tool's window).
    HWND hMain = pMain && pMain->m_hWnd ? pMain->m_hWnd : ::GetActiveWindow();
    if (!hMain)
        return nullptr;
    return ::GetLastActivePopup(::GetAncestor(hMain, GA_ROOT));
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd)
        return -1;
    HWND hOwner = PreModal();
    bool enableOwner = false;
    if (hOwner && hOwner != ::GetDesktopWindow() && ::IsWindowEnabled(hOwner))
    {
        ::EnableWindow(hOwner, FALSE);
        enableOwner = true;
    }
    m_nModalResult = -1;
    m_bModal = true;
    m_bContinueModal = true;
    if (CreateFromTemplate(hOwner))
    {
        if (ContinueModal())
            RunModalLoop();
        if (m_hWnd)
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    // The owner comes back before the dialog goes, so that it gets the activation.
    if (enableOwner)
        ::EnableWindow(hOwner, TRUE);
    if (hOwner && m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hOwner);
    DestroyWindow();
    m_bModal = false;
    m_bContinueModal = false;
    PostModal();
    return m_nModalResult;
}

int CDialog::RunModalLoop()
{
    bool idle = true;
    LPARAM idleCount = 0;
    bool shown = IsWindowVisible() != FALSE;
    MSG msg;
    for (;;)
    {
        while (idle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
        {
            // A template without WS_VISIBLE appears once its first messages are done.
            if (!shown)
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                shown = true;
            }
            if (!ContinueModal())
                return static_cast<int>(m_nModalResult);
            if (!SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, idleCount++))
                idle = false;
            if (!ContinueModal())
                return static_cast<int>(m_nModalResult);
            // Only the outermost loop: a handler below a nested loop may hold wrappers.
            if (!idle && WndProcDepth() == 0)
                CHandleMapBase::DeleteTemporaryObjects();
        }
        do
        {
            BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
            if (got == 0)
            {
                // WM_QUIT ends every loop on the way out.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return static_cast<int>(m_nModalResult);
            }
            if (got == -1)
                return static_cast<int>(m_nModalResult);
            if (!WalkPreTranslateTree(m_hWnd, &msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            if (!ContinueModal())
                return static_cast<int>(m_nModalResult);
            if (IsIdleMessage(&msg))
            {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

void CDialog::EndDialog(int nResult)
{
    if (!m_hWnd)
        return;
    if (m_bModal)
    {
        m_nModalResult = nResult;
        m_bContinueModal = false;
        PostMessage(WM_NULL); // wakes the loop
    }
    else
        ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try
    {
        DoDataExchange(&dx);
    }
    catch (const CDataExchange::Failure&)
    {
        return FALSE;
    }
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl)
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE);
}

BOOL CDialog::OnInitDialog()
{
    ExecuteDlgInit(m_lpszTemplateName);
    if (!UpdateData(FALSE))
    {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

LRESULT CDialog::OnKickIdle(WPARAM, LPARAM)
{
    UpdateDialogControls(this, FALSE);
    return 0;
}

void CDialog::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    Default();
    if (!bSysMenu)
        UpdateMenuCommandUI(this, pPopupMenu);
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (!m_hWnd)
        return FALSE;
    // A child page leaves navigation to its top-level dialog, whose IsDialogMessage walks
    // into child dialogs (DS_CONTROL) as well; so the walk goes on up to that dialog's own
    // filter (its accelerators) instead of ending at the page.
    if (GetStyle() & WS_CHILD)
        return FALSE;
    bool input = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
                 (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
    return input && ::IsDialogMessageW(m_hWnd, pMsg);
}

// RT_DLGINIT: records of {WORD control id, WORD message, DWORD length, bytes}, ended by a
// zero id. The strings are narrow, in the ANSI code page, with their terminator.
BOOL CDialog::ExecuteDlgInit(LPCWSTR lpszResourceName)
{
    if (!lpszResourceName || !m_hWnd)
        return TRUE;
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceW(instance, lpszResourceName, MAKEINTRESOURCEW(240));
    if (!resource)
        return TRUE;
    HGLOBAL loaded = ::LoadResource(instance, resource);
    const BYTE* data = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    if (!data)
        return FALSE;
    DWORD size = ::SizeofResource(instance, resource);
    const BYTE* end = data + size;
    const BYTE* p = data;
    BOOL success = TRUE;
    while (end - p >= 8)
    {
        WORD id, message;
        DWORD length;
        std::memcpy(&id, p, 2);
        if (id == 0)
            break;
        std::memcpy(&message, p + 2, 2);
        std::memcpy(&length, p + 4, 4);
        p += 8;
        if (length > static_cast<DWORD>(end - p))
            return FALSE;
        const char* text = reinterpret_cast<const char*>(p);
        int textLength = static_cast<int>(strnlen(text, length));
        UINT add = message == 0x0401 ? LB_ADDSTRING : message == 0x0403 ? CB_ADDSTRING : 0;
        if (add)
        {
            CString item = AnsiToWide(text, CP_ACP, textLength);
            LRESULT r = SendDlgItemMessage(id, add, 0, reinterpret_cast<LPARAM>(item.GetString()));
            if (r < 0)
                success = FALSE; // LB_ERR / CB_ERR or out of space
        }
        p += length;
    }
    return success;
}
