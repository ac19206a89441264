#include "app/CTolvaneApp.h"

#include <memory>

#include "app/CTolvaneDlg.h"
#include "framework/CRichEditCtrl.h"

namespace
{
// Held open for the life of the process: the name stays taken until it ends.
HANDLE g_hInstanceSemaphore = nullptr;

void BringForward(HWND hWnd)
{
    if (::IsIconic(hWnd))
        ::ShowWindow(hWnd, SW_RESTORE);
    ::SetForegroundWindow(hWnd);
    // An open dialog or message box of the running copy comes with it.
    ::SetForegroundWindow(::GetLastActivePopup(hWnd));
}
} // namespace

CTolvaneApp::CTolvaneApp() = default;

HWND CTolvaneApp::FindMarkedWindow(LPCWSTR instanceName)
{
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); ::IsWindow(hWnd);
         hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        if (::GetPropW(hWnd, instanceName))
            return hWnd;
    }
    return nullptr;
}

BOOL CTolvaneApp::InitInstance()
{
    HANDLE hSemaphore = ::CreateSemaphoreW(nullptr, 1, 1, m_pszExeName);
    if (hSemaphore && ::GetLastError() == ERROR_ALREADY_EXISTS)
    {
        ::CloseHandle(hSemaphore);
        // A copy that is still starting or already closing has no marked window yet:
        // this one then ends silently.
        if (HWND hRunning = FindMarkedWindow(m_pszExeName))
            BringForward(hRunning);
        return FALSE;
    }
    g_hInstanceSemaphore = hSemaphore;

    AfxEnableControlContainer();
    AfxInitRichEdit();
    SetRegistryKey(L"Brackwyn Corporation\\Quillmoth");

    std::unique_ptr<CTolvaneDlg> dlg(new CTolvaneDlg(nullptr));
    m_pMainWnd = dlg.get();
    // -1: the window could not be made (no display driver, say) or could not be built
    // whole; whoever started the program learns it from the exit code.
    m_bMainWindowFailed = dlg->DoModal() == -1;
    m_pMainWnd = nullptr;
    return FALSE;
}

int CTolvaneApp::ExitInstance()
{
    const int code = CWinApp::ExitInstance();
    return m_bMainWindowFailed ? 1 : code;
}
