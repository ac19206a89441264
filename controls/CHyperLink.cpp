#include "controls/CHyperLink.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "controls/CentreNextBox.h"
#include "controls/ControlFont.h"
#include "controls/HyperLinkLogic.h"
#include "framework/TextConvert.h"

BEGIN_MESSAGE_MAP(CHyperLink, CStatic)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_SETCURSOR()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_CONTROL_REFLECT(STN_CLICKED, &CHyperLink::OnClicked)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace
{
// The default value of a key under HKEY_CLASSES_ROOT; false when there is none.
bool ReadClassesValue(const std::wstring& key, std::wstring* value)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return false;
    wchar_t data[MAX_PATH + 1] = {};
    LONG size = MAX_PATH * sizeof(wchar_t);
    const LONG rc = ::RegQueryValueW(hKey, nullptr, data, &size);
    ::RegCloseKey(hKey);
    if (rc != ERROR_SUCCESS)
        return false;
    data[MAX_PATH] = L'\0'; // the stored value need not be terminated
    *value = data;
    return true;
}
} // namespace

CHyperLink::CHyperLink() = default;

CHyperLink::~CHyperLink()
{
    if (m_bOwnCursor && m_hLinkCursor)
        ::DestroyCursor(m_hLinkCursor);
}

void CHyperLink::PreSubclassWindow()
{
    ModifyStyle(0, SS_NOTIFY);
    CString text;
    GetWindowText(text);
    if (m_strURL.IsEmpty())
        m_strURL = text;
    if (text.IsEmpty())
        SetWindowText(m_strURL);

    LOGFONTW lf;
    if (GetControlLogFont(m_hWnd, &lf))
    {
        m_StdFont.CreateFontIndirect(&lf);
        lf.lfUnderline = TRUE;
        m_UnderlineFont.CreateFontIndirect(&lf);
    }
    PositionWindow();
    SetDefaultCursor();
    m_nUnderline = 2; // so that the next call applies the font
    SetUnderline(-1);

    m_ToolTip.Create(this, 0);
    CRect rc;
    GetClientRect(&rc);
    m_ToolTip.AddTool(this, m_strURL, &rc, 1);
    CStatic::PreSubclassWindow();
}

void CHyperLink::SetURL(CString strURL)
{
    m_strURL = strURL;
    if (m_hWnd)
    {
        PositionWindow();
        m_ToolTip.UpdateTipText(m_strURL, this, 1);
    }
}

void CHyperLink::SetVisited(BOOL bVisited)
{
    // Once opened, a link stays visited.
    if (bVisited)
        m_bVisited = TRUE;
    if (m_hWnd)
        Invalidate();
}

void CHyperLink::SetUnderline(int nUnderline)
{
    if (nUnderline == m_nUnderline)
        return;
    if (m_hWnd)
    {
        CFont& font = nUnderline == 1 ? m_UnderlineFont : m_StdFont;
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), TRUE);
        Invalidate();
    }
    m_nUnderline = nUnderline;
}

COLORREF CHyperLink::CurrentColour() const
{
    return HyperLinkColour(m_bOverControl, m_bVisited, m_crLinkColour, m_crVisitedColour, m_crHoverColour);
}

BOOL CHyperLink::PreTranslateMessage(MSG* pMsg)
{
    if (m_ToolTip.m_hWnd)
        m_ToolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

BOOL CHyperLink::DestroyWindow()
{
    KillTimer(m_nTimerID);
    return CStatic::DestroyWindow();
}

HBRUSH CHyperLink::CtlColor(CDC* pDC, UINT)
{
    pDC->SetTextColor(CurrentColour());
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CHyperLink::OnSetCursor(CWnd*, UINT, UINT)
{
    if (!m_hLinkCursor)
        return FALSE;
    ::SetCursor(m_hLinkCursor);
    return TRUE;
}

void CHyperLink::OnMouseMove(UINT, CPoint)
{
    if (!m_bOverControl)
    {
        m_bOverControl = TRUE;
        if (m_nUnderline == -1)
            SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_UnderlineFont.GetSafeHandle()), TRUE);
        Invalidate();
        SetTimer(m_nTimerID, 100);
    }
    Default();
}

void CHyperLink::OnTimer(UINT_PTR)
{
    const DWORD pos = ::GetMessagePos();
    POINT p = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    ScreenToClient(&p);
    CRect rc;
    GetClientRect(&rc);
    if (!::PtInRect(&rc, p))
    {
        m_bOverControl = FALSE;
        KillTimer(m_nTimerID);
        if (m_nUnderline != 1)
            SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_StdFont.GetSafeHandle()), TRUE);
        rc.bottom += 10;
        InvalidateRect(&rc);
    }
    Default();
}

BOOL CHyperLink::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CHyperLink::OnClicked()
{
    m_bOverControl = FALSE;
    const int result = static_cast<int>(reinterpret_cast<INT_PTR>(GotoURL(m_strURL, SW_SHOW)));
    if (result > 32)
    {
        SetVisited(TRUE);
    }
    else
    {
        ::MessageBeep(MB_ICONEXCLAMATION);
        ReportError(result);
    }
}

void CHyperLink::PositionWindow()
{
    if (!m_hWnd || !m_bAdjustToFit)
        return;
    CRect wnd, client;
    GetWindowRect(&wnd);
    GetClientRect(&client);
    CWnd* pParent = GetParent();
    if (pParent)
    {
        pParent->ScreenToClient(&wnd);
    }
    const SIZE border = {wnd.Width() - client.Width(), wnd.Height() - client.Height()};
    CString text;
    GetWindowText(text);
    SIZE extent = {0, 0};
    if (HDC hDC = ::GetDC(m_hWnd))
    {
        HGDIOBJ old =
            ::SelectObject(hDC, m_UnderlineFont.GetSafeHandle() ? m_UnderlineFont.GetSafeHandle()
                                                                : ::GetStockObject(DEFAULT_GUI_FONT));
        ::GetTextExtentPoint32W(hDC, text.GetString(), text.GetLength(), &extent);
        ::SelectObject(hDC, old);
        ::ReleaseDC(m_hWnd, hDC);
    }
    const RECT r = FitLinkRect(wnd, border, extent, GetStyle());
    SetWindowPos(nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
}

void CHyperLink::SetDefaultCursor()
{
    if (m_hLinkCursor)
        return;
    wchar_t dir[MAX_PATH] = {};
    const UINT n = ::GetWindowsDirectoryW(dir, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
    {
        const std::wstring path = std::wstring(dir) + L"\\winhlp32.exe";
        if (HMODULE hModule = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE))
        {
            if (HCURSOR hCursor = ::LoadCursorW(hModule, MAKEINTRESOURCEW(106)))
            {
                m_hLinkCursor = static_cast<HCURSOR>(::CopyIcon(hCursor));
                m_bOwnCursor = m_hLinkCursor != nullptr;
            }
            ::FreeLibrary(hModule);
        }
    }
    if (!m_hLinkCursor)
        m_hLinkCursor = ::LoadCursorW(nullptr, IDC_HAND); // shared: not destroyed
}

HINSTANCE CHyperLink::GotoURL(LPCWSTR url, int showcmd)
{
    HINSTANCE result = ::ShellExecuteW(nullptr, L"open", url, nullptr, nullptr, showcmd);
    if (reinterpret_cast<INT_PTR>(result) > 32)
        return result;
    std::wstring cls, command;
    if (!ReadClassesValue(L".htm", &cls) || !ReadClassesValue(cls + L"\\shell\\open\\command", &command))
        return result;
    const std::wstring line = BrowserCommand(command, url);
    const std::string narrow = WideToAnsi(line.c_str(), CP_THREAD_ACP);
    return reinterpret_cast<HINSTANCE>(
        static_cast<INT_PTR>(::WinExec(narrow.c_str(), static_cast<UINT>(showcmd))));
}

void CHyperLink::ReportError(int nError)
{
    const CentreNextBox centre(m_hWnd);
    AfxMessageBox(HyperLinkErrorText(nError).c_str(), MB_ICONEXCLAMATION);
}
