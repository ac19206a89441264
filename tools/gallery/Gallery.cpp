// The controls gallery: a test tool that shows the controls library's controls.
#include "framework/CWinApp.h"
#include "tools/gallery/CGalleryDlg.h"

class CGalleryApp : public CWinApp
{
public:
    BOOL InitInstance() override
    {
        CGalleryDlg dlg;
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
        return FALSE;
    }
};

CGalleryApp theApp;
