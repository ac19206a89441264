#include "app/pages/CTabPage.h"

#include "app/AppGlobals.h"
#include "app/PageHost.h"

BEGIN_MESSAGE_MAP(CTabPage, CDialog)
ON_MESSAGE(WM_KICKIDLE, &CTabPage::OnKickIdle)
END_MESSAGE_MAP()

bool IsMainWindowRecording()
{
    const PageHost* host = GetPageHost();
    return host && host->IsRecording();
}

BOOL CTabPage::PreTranslateMessage(MSG* pMsg)
{
    // The main window's accelerator table first, so that its commands run there.
    PageHost* host = GetPageHost();
    if (host && host->TranslateAccelerators(pMsg))
        return TRUE;
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_RETURN))
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
    pCmdUI->Enable(!IsMainWindowRecording());
}
