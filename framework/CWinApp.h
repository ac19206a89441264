// The application object: one static instance per program, derived from CWinApp.
// The framework's wWinMain initialises OLE and the common controls, calls InitInstance
// and, when it returns FALSE, ends with ExitInstance's code (TRUE runs a message loop
// until WM_QUIT first).
#pragma once

#include <windows.h>

#include "framework/CString.h"

class CWnd;

class CWinApp
{
public:
    // lpszAppName defaults to the executable's base name.
    explicit CWinApp(LPCWSTR lpszAppName = nullptr);
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();

    // Profile values then live under HKCU\Software\<lpszRegistryKey>\<m_pszProfileName>.
    // Without a registry key the profile functions fail (default value, FALSE).
    void SetRegistryKey(LPCWSTR lpszRegistryKey);
    UINT GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue);
    CString GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault = nullptr);
    // A null lpszEntry deletes the section, a null lpszValue the entry.
    BOOL WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue);

    HINSTANCE m_hInstance;
    CWnd* m_pMainWnd;
    LPCWSTR m_pszAppName;
    LPCWSTR m_pszExeName;     // executable's name without folder and extension
    LPCWSTR m_pszRegistryKey; // nullptr until SetRegistryKey
    LPCWSTR m_pszProfileName;

private:
    CString m_strAppName;
    CString m_strExeName;
    CString m_strRegistryKey;
    CString m_strProfileName;
};

// Set by CWinApp's constructor, cleared by its destructor.
inline CWinApp* afxCurrentWinApp = nullptr;

inline CWinApp* AfxGetApp()
{
    return afxCurrentWinApp;
}
inline HINSTANCE AfxGetInstanceHandle()
{
    return afxCurrentWinApp ? afxCurrentWinApp->m_hInstance : ::GetModuleHandleW(nullptr);
}
// Resources come from the executable.
inline HINSTANCE AfxGetResourceHandle()
{
    return AfxGetInstanceHandle();
}
inline CWnd* AfxGetMainWnd()
{
    return afxCurrentWinApp ? afxCurrentWinApp->m_pMainWnd : nullptr;
}

// The framework hosts no ActiveX controls: nothing to prepare. Start-up code calls it all
// the same, so that it need not know that.
inline void AfxEnableControlContainer() {}

// The body of the framework's wWinMain.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);
