#include "app/pages/CAboutDlg.h"

#include "framework/CDataExchange.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(CWnd* pParent) : CDialog(IDD_ABOUT, pParent) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ABOUT_SUPPORT_LINK, m_linkSupport);
    DDX_Control(pDX, IDC_ABOUT_HOME_LINK, m_linkHome);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Over the main window, not over its menu or in the middle of the screen.
    CenterWindow();
    m_linkHome.SetURL(kHomePageUrl);
    m_linkSupport.SetURL(kSupportMailUrl);
    return TRUE;
}
