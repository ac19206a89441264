// The application object: one copy of the program per desktop, then the main window
// as a modal dialog for the whole run.
#pragma once

#include "framework/CWinApp.h"

class CTolvaneApp : public CWinApp
{
public:
    CTolvaneApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // The top-level window that carries the window property named after the program
    // file, or null.
    static HWND FindMarkedWindow(LPCWSTR instanceName);

private:
    bool m_bMainWindowFailed = false;
};
