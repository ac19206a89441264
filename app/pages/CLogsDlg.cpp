#include "app/pages/CLogsDlg.h"

#include "app/AppGlobals.h"
#include "app/PageHost.h"
#include "framework/CDataExchange.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CLogsDlg, CTabPage)
ON_BN_CLICKED(IDC_LOG_CLEAR, &CLogsDlg::OnClear)
ON_BN_CLICKED(IDC_LOG_WRITE_FILE, &CLogsDlg::OnWriteLogFile)
ON_UPDATE_COMMAND_UI(IDC_LOG_CLEAR, &CLogsDlg::OnUpdateClear)
END_MESSAGE_MAP()

void CLogsDlg::DoDataExchange(CDataExchange* pDX)
{
    CTabPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LOG_TEXT, m_reLog);
}

BOOL CLogsDlg::OnInitDialog()
{
    CTabPage::OnInitDialog();
    // Without a limit the box silently stops taking text at 32,767 characters.
    m_reLog.LimitText(0x7FFFFFFE);
    ShowSettings();
    return TRUE;
}

void CLogsDlg::ShowSettings()
{
    CheckDlgButton(IDC_LOG_WRITE_FILE, g_settings.bWriteLogFile ? BST_CHECKED : BST_UNCHECKED);
}

LRESULT CLogsDlg::AppendLogLine(CString text, COLORREF colour)
{
    const int linesBefore = m_reLog.GetLineCount();
    m_reLog.SetSel(m_reLog.GetWindowTextLength() * 2, -1);
    CHARFORMATW cf = {};
    cf.dwMask = CFM_COLOR;
    cf.dwEffects = 0;
    cf.crTextColor = colour;
    m_reLog.SetSelectionCharFormat(cf);
    m_reLog.ReplaceSel(text, FALSE);
    m_reLog.LineScroll(m_reLog.GetLineCount() - linesBefore, 0);
    return 0;
}

void CLogsDlg::OnClear()
{
    m_reLog.SetWindowText(L"");
    if (PageHost* host = Host())
        host->SetStatusText(STATUS_LAST_EVENT, L"");
    m_reLog.Invalidate(TRUE);
}

void CLogsDlg::OnWriteLogFile()
{
    g_settings.bWriteLogFile = IsDlgButtonChecked(IDC_LOG_WRITE_FILE) == BST_CHECKED ? 1 : 0;
}

void CLogsDlg::OnUpdateClear(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_reLog.GetWindowTextLength() != 0);
}
