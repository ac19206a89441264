#include "controls/CFolderDialog.h"

#include "framework/CallbackGuard.h"

CFolderDialog::CFolderDialog(LPCWSTR lpszTitle, LPCWSTR lpszFolderName, CWnd* pParentWnd, UINT uFlags)
    : CCommonDialog(pParentWnd), m_strTitle(lpszTitle ? lpszTitle : L"")
{
    ::ZeroMemory(&m_bi, sizeof(m_bi));
    ::ZeroMemory(m_szInitialFolder, sizeof(m_szInitialFolder));
    ::ZeroMemory(m_szFolderPath, sizeof(m_szFolderPath));
    ::ZeroMemory(m_szDisplayName, sizeof(m_szDisplayName));
    m_bi.hwndOwner = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
    m_bi.pszDisplayName = m_szDisplayName;
    m_bi.lpszTitle = lpszTitle ? m_strTitle.GetString() : nullptr;
    m_bi.ulFlags = uFlags;
    m_bi.lpfn = BrowseCallbackProc;
    m_bi.lParam = reinterpret_cast<LPARAM>(this);
    if (lpszFolderName)
        SetInitialFolder(lpszFolderName);
}

CFolderDialog::~CFolderDialog()
{
    if (m_bi.pidlRoot)
        ::CoTaskMemFree(const_cast<LPITEMIDLIST>(m_bi.pidlRoot));
    ::ZeroMemory(&m_bi, sizeof(m_bi));
}

BOOL CFolderDialog::SetInitialFolder(LPCWSTR lpszFolder)
{
    const size_t n = lpszFolder ? wcsnlen(lpszFolder, MAX_PATH) : 0;
    if (n >= MAX_PATH)
        return FALSE;
    wmemcpy(m_szInitialFolder, lpszFolder ? lpszFolder : L"", n);
    m_szInitialFolder[n] = L'\0';
    return TRUE;
}

BOOL CFolderDialog::SetRootFolder(LPCWSTR lpszPath)
{
    if (!lpszPath)
    {
        if (m_bi.pidlRoot)
            ::CoTaskMemFree(const_cast<LPITEMIDLIST>(m_bi.pidlRoot));
        m_bi.pidlRoot = nullptr;
        return TRUE;
    }
    IShellFolder* pDesktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&pDesktop)))
        return FALSE;
    LPITEMIDLIST pidl = nullptr;
    ULONG eaten = 0;
    const HRESULT hr =
        pDesktop->ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(lpszPath), &eaten, &pidl, nullptr);
    pDesktop->Release();
    if (FAILED(hr))
        return FALSE;
    if (m_bi.pidlRoot)
        ::CoTaskMemFree(const_cast<LPITEMIDLIST>(m_bi.pidlRoot));
    m_bi.pidlRoot = pidl;
    return TRUE;
}

INT_PTR CFolderDialog::DoModal()
{
    m_bi.hwndOwner = PreModal();
    INT_PTR result = IDCANCEL;
    if (LPITEMIDLIST pidl = ::SHBrowseForFolderW(&m_bi))
    {
        result = ::SHGetPathFromIDListW(pidl, m_szFolderPath) ? IDOK : -1;
        ::CoTaskMemFree(pidl);
    }
    PostModal();
    return result;
}

void CFolderDialog::OnInitialized()
{
    if (m_szInitialFolder[0])
        ::SendMessageW(m_hWndBrowser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(m_szInitialFolder));
}

void CFolderDialog::OnSelChanged(LPITEMIDLIST pItemIDList)
{
    if (!(m_bi.ulFlags & BIF_STATUSTEXT))
        return;
    wchar_t path[MAX_PATH] = {};
    if (pItemIDList && ::SHGetPathFromIDListW(pItemIDList, path))
        ::SendMessageW(m_hWndBrowser, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path));
}

BOOL CFolderDialog::OnValidateFailed(LPCWSTR)
{
    ::MessageBeep(MB_ICONHAND);
    return 1; // keep the browser open
}

int CALLBACK CFolderDialog::BrowseCallbackProc(HWND hWnd, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
    auto* self = reinterpret_cast<CFolderDialog*>(lpData);
    if (!self)
        return 0;
    int result = 0;
    self->m_hWndBrowser = hWnd;
    CallbackGuard::Run(L"the folder browser's callback",
                       [&] { result = self->OnBrowserMessage(uMsg, lParam); });
    self->m_hWndBrowser = nullptr;
    return result;
}

int CFolderDialog::OnBrowserMessage(UINT uMsg, LPARAM lParam)
{
    switch (uMsg)
    {
    case BFFM_INITIALIZED:
        OnInitialized();
        break;
    case BFFM_SELCHANGED:
        OnSelChanged(reinterpret_cast<LPITEMIDLIST>(lParam));
        break;
    case BFFM_VALIDATEFAILEDW:
        return OnValidateFailed(reinterpret_cast<LPCWSTR>(lParam));
    case BFFM_IUNKNOWN:
        OnIUnknown(reinterpret_cast<IUnknown*>(lParam));
        break;
    default:
        break;
    }
    return 0;
}
