// The shell's folder browser run as a modal dialog: an initial folder, an optional root,
// the selected path as status text, and a beep instead of closing for a typed folder that
// does not exist.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include "framework/CCommonDialog.h"
#include "framework/CString.h"

class CFolderDialog : public CCommonDialog
{
public:
    CFolderDialog(LPCWSTR lpszTitle = nullptr, LPCWSTR lpszFolderName = nullptr, CWnd* pParentWnd = nullptr,
                  UINT uFlags = BIF_RETURNONLYFSDIRS);
    ~CFolderDialog() override;

    // IDOK with a file-system folder, -1 for a virtual one, IDCANCEL.
    INT_PTR DoModal() override;
    // A path of MAX_PATH characters or more is ignored; FALSE then.
    BOOL SetInitialFolder(LPCWSTR lpszFolder);
    BOOL SetRootFolder(LPCWSTR lpszPath);
    LPCWSTR GetFolderPath() const { return m_szFolderPath; }
    LPCWSTR GetInitialFolder() const { return m_szInitialFolder; }
    const BROWSEINFOW& GetBrowseInfo() const { return m_bi; }

    // The browser's callback, exposed for tests that drive it without a browser window.
    static int CALLBACK BrowseCallbackProc(HWND hWnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

protected:
    virtual void OnInitialized();
    virtual void OnSelChanged(LPITEMIDLIST pItemIDList);
    virtual BOOL OnValidateFailed(LPCWSTR pszPath);
    virtual void OnIUnknown(IUnknown*) {}
    // The callback's message to the handlers above; what the callback returns.
    int OnBrowserMessage(UINT uMsg, LPARAM lParam);

    BROWSEINFOW m_bi;
    CString m_strTitle; // the browser keeps a pointer to it
    wchar_t m_szInitialFolder[MAX_PATH];
    wchar_t m_szFolderPath[MAX_PATH];
    wchar_t m_szDisplayName[MAX_PATH];
    HWND m_hWndBrowser = nullptr;
};
