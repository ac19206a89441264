#include "app/pages/CTabPage.h"

#include "app/KeyFilters.h"
#include "app/PageHost.h"

BEGIN_MESSAGE_MAP(CTabPage, CDialog)
ON_MESSAGE(WM_KICKIDLE, &CTabPage::OnKickIdle)
END_MESSAGE_MAP()

BOOL CTabPage::CreatePage(UINT nIDTemplate, CWnd* pParent, PageHost& host)
{
    m_pHost = &host;
    return Create(nIDTemplate, pParent);
}

CWnd* CTabPage::HostWindow() const
{
    return m_pHost ? m_pHost->HostWindow() : nullptr;
}

HWND CTabPage::BoxOwner() const
{
    const CWnd* window = HostWindow();
    return window ? window->m_hWnd : m_hWnd;
}

bool CTabPage::IsRecording() const
{
    return IsHostRecording(m_pHost);
}

BOOL CTabPage::PreTranslateMessage(MSG* pMsg)
{
    // The main window's accelerator table first, so that its commands run there.
    if (m_pHost && m_pHost->TranslateAccelerators(pMsg))
        return TRUE;
    if (KeyFilters::IsEndingKey(pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CTabPage::UpdateControlStates()
{
    UpdateDialogControls(this, FALSE);
}

LRESULT CTabPage::OnKickIdle(WPARAM, LPARAM)
{
    UpdateControlStates();
    return 0;
}

void CTabPage::OnUpdateWhileIdle(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsRecording());
}
