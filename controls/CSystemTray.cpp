#include "controls/CSystemTray.h"

#include "framework/CWinApp.h"

const UINT CSystemTray::m_nTaskbarCreatedMsg = ::RegisterWindowMessageW(L"TaskbarCreated");

namespace
{
// Runs out when a left click on the icon had no second click.
constexpr UINT_PTR kClickTimer = 1;

// Holds windows minimised to the tray, which takes them off the taskbar.
CWnd& ParkingWindow()
{
    static CWnd wnd;
    return wnd;
}

BOOL IsMinimizeAnimationOn()
{
    ANIMATIONINFO ai = {};
    ai.cbSize = sizeof(ai);
    ::SystemParametersInfoW(SPI_GETANIMATION, sizeof(ai), &ai, 0);
    return ai.iMinAnimate != 0;
}

struct TrayRectSearch
{
    RECT* rect;
};

BOOL CALLBACK FindTrayChild(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<TrayRectSearch*>(lParam);
    wchar_t cls[256] = {};
    ::GetClassNameW(hWnd, cls, 255);
    if (::lstrcmpW(cls, L"TrayNotifyWnd") == 0)
    {
        ::GetWindowRect(hWnd, search->rect);
    }
    else if (::lstrcmpW(cls, L"TrayClockWClass") == 0)
    {
        RECT clock;
        ::GetWindowRect(hWnd, &clock);
        if (clock.bottom < search->rect->bottom - 5)
            search->rect->top = clock.bottom; // a vertical taskbar
        else
            search->rect->right = clock.left;
        return FALSE;
    }
    return TRUE;
}
} // namespace

CSystemTray::CSystemTray()
{
    ::ZeroMemory(&m_tnd, sizeof(m_tnd));
    OSVERSIONINFOW vi = {};
    vi.dwOSVersionInfoSize = sizeof(vi);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (::GetVersionExW(&vi))
        m_bBalloonsSupported = vi.dwPlatformId == VER_PLATFORM_WIN32_NT && vi.dwMajorVersion > 4;
#pragma GCC diagnostic pop
}

CSystemTray::~CSystemTray()
{
    RemoveIcon();
    if (m_hWnd)
        DestroyWindow();
}

BOOL CSystemTray::Create(CWnd* pParent, UINT uCallbackMessage, LPCWSTR szTip, HICON icon, UINT nID,
                         BOOL bHidden, LPCWSTR szBalloonTip, LPCWSTR szBalloonTitle, DWORD dwBalloonIcon,
                         UINT uBalloonTimeout)
{
    m_bEnabled = LOBYTE(LOWORD(::GetVersion())) >= 4;
    if (!m_bEnabled)
        return FALSE;
    if (!m_hWnd && !CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr))
        return FALSE;

    m_tnd.cbSize = sizeof(NOTIFYICONDATAW);
    m_tnd.hWnd = (pParent && pParent->GetSafeHwnd()) ? pParent->GetSafeHwnd() : m_hWnd;
    m_tnd.uID = nID;
    m_tnd.hIcon = icon;
    m_tnd.uCallbackMessage = uCallbackMessage;
    m_tnd.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayCopyText(m_tnd.szTip, szTip, 127);

    const bool balloon = m_bBalloonsSupported && szBalloonTip;
    if (balloon)
    {
        m_tnd.uFlags |= NIF_INFO;
        TrayCopyText(m_tnd.szInfo, szBalloonTip, 255);
        TrayCopyText(m_tnd.szInfoTitle, szBalloonTitle, 63);
        m_tnd.uTimeout = uBalloonTimeout * 1000;
        m_tnd.dwInfoFlags = dwBalloonIcon;
    }
    if (m_bBalloonsSupported && bHidden)
    {
        m_tnd.uFlags = NIF_STATE;
        m_tnd.dwState = m_tnd.dwStateMask = NIS_HIDDEN;
    }
    m_uCreationFlags = m_tnd.uFlags;

    BOOL result = TRUE;
    const bool attempt = !bHidden || m_bBalloonsSupported;
    if (attempt)
        result = ::Shell_NotifyIconW(NIM_ADD, &m_tnd);
    TrayOnCreated(m_state, bHidden != FALSE, attempt, result != FALSE);
    if (balloon)
        m_tnd.szInfo[0] = L'\0';
    return result;
}

BOOL CSystemTray::SetIcon(HICON hIcon)
{
    if (!m_bEnabled)
        return FALSE;
    m_tnd.uFlags = NIF_ICON;
    m_tnd.hIcon = hIcon;
    return m_state.hidden ? TRUE : ::Shell_NotifyIconW(NIM_MODIFY, &m_tnd);
}

BOOL CSystemTray::SetTooltipText(LPCWSTR pszTip)
{
    if (!m_bEnabled)
        return FALSE;
    m_tnd.uFlags = NIF_TIP;
    TrayCopyText(m_tnd.szTip, pszTip, 127);
    return m_state.hidden ? TRUE : ::Shell_NotifyIconW(NIM_MODIFY, &m_tnd);
}

BOOL CSystemTray::ShowBalloon(LPCWSTR szText, LPCWSTR szTitle, DWORD dwIcon, UINT uTimeout)
{
    if (!m_bBalloonsSupported)
        return FALSE;
    m_tnd.uFlags = NIF_INFO;
    TrayCopyText(m_tnd.szInfo, szText, 255);
    TrayCopyText(m_tnd.szInfoTitle, szTitle, 63);
    m_tnd.dwInfoFlags = dwIcon;
    m_tnd.uTimeout = uTimeout * 1000;
    const BOOL result = ::Shell_NotifyIconW(NIM_MODIFY, &m_tnd);
    // Later modifications must not show the balloon again.
    m_tnd.szInfo[0] = L'\0';
    return result;
}

BOOL CSystemTray::RemoveIcon()
{
    m_state.readdPending = false;
    if (!m_bEnabled || m_state.removed)
        return TRUE;
    m_tnd.uFlags = 0;
    TrayOnRemoved(m_state, ::Shell_NotifyIconW(NIM_DELETE, &m_tnd) != FALSE);
    return m_state.removed;
}

BOOL CSystemTray::SetMenuDefaultItem(UINT uItem, BOOL bByPos)
{
    if (m_DefaultMenuItemID == uItem && m_DefaultMenuItemByPos == bByPos)
        return TRUE;
    m_DefaultMenuItemID = uItem;
    m_DefaultMenuItemByPos = bByPos;
    CMenu menu;
    CMenu* pSub = LoadTrayMenu(menu);
    if (!pSub)
        return FALSE;
    pSub->SetDefaultItem(m_DefaultMenuItemID, m_DefaultMenuItemByPos);
    return TRUE;
}

CMenu* CSystemTray::LoadTrayMenu(CMenu& menu) const
{
    // The menu resource shares the icon's id; its first submenu is the tray menu.
    if (!menu.LoadMenu(m_tnd.uID))
        return nullptr;
    return menu.GetSubMenu(0);
}

CWnd* CSystemTray::MenuTarget() const
{
    return m_pTargetWnd ? m_pTargetWnd : AfxGetMainWnd();
}

LRESULT CSystemTray::OnTrayNotification(WPARAM wParam, LPARAM lParam)
{
    if (wParam != m_tnd.uID)
        return 0;
    CWnd* pTarget = MenuTarget();
    if (!pTarget)
        return 0;
    switch (TrayOnMouse(m_clicks, LOWORD(lParam)))
    {
    case TrayClick::WaitForSecond:
        SetTimer(kClickTimer, ::GetDoubleClickTime());
        return 1;
    case TrayClick::ShowMenu:
        KillTimer(kClickTimer);
        return TrackTrayMenu(pTarget);
    case TrayClick::Default:
        KillTimer(kClickTimer);
        return PostDefaultCommand(pTarget);
    default:
        return 1;
    }
}

LRESULT CSystemTray::TrackTrayMenu(CWnd* pTarget)
{
    CMenu menu;
    CMenu* pSub = LoadTrayMenu(menu);
    if (!pSub)
        return 0;
    pSub->SetDefaultItem(m_DefaultMenuItemID, m_DefaultMenuItemByPos);
    CustomizeTrayMenu(pSub);
    POINT pos;
    ::GetCursorPos(&pos);
    RECT work = {};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (::GetMonitorInfoW(::MonitorFromPoint(pos, MONITOR_DEFAULTTONEAREST), &monitor))
        work = monitor.rcWork;
    else
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const TrayMenuPlace place = TrayPlaceMenu(pos.x, pos.y, work.top, work.bottom);
    pTarget->SetForegroundWindow();
    pSub->TrackPopupMenu(place.flags, place.x, place.y, pTarget);
    // So that the menu closes when the user clicks elsewhere.
    pTarget->PostMessage(WM_NULL, 0, 0);
    return 1;
}

LRESULT CSystemTray::PostDefaultCommand(CWnd* pTarget)
{
    pTarget->SetForegroundWindow();
    UINT command = m_DefaultMenuItemID;
    if (m_DefaultMenuItemByPos)
    {
        CMenu menu;
        CMenu* pSub = LoadTrayMenu(menu);
        if (!pSub)
            return 0;
        command = pSub->GetMenuItemID(static_cast<int>(m_DefaultMenuItemID));
    }
    // A submenu or a missing item has no command.
    if (command != static_cast<UINT>(-1))
        pTarget->PostMessage(WM_COMMAND, command, 0);
    return 1;
}

void CSystemTray::InstallIconPending()
{
    if (!TrayShouldReadd(m_state))
        return;
    m_tnd.uFlags = m_uCreationFlags;
    BOOL ok = ::Shell_NotifyIconW(NIM_ADD, &m_tnd);
    // After a work-area change the icon usually is still there: update it instead.
    if (!ok)
        ok = ::Shell_NotifyIconW(NIM_MODIFY, &m_tnd);
    TrayOnReadd(m_state, ok != FALSE);
}

LRESULT CSystemTray::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == m_tnd.uCallbackMessage && m_tnd.uCallbackMessage != 0)
        return OnTrayNotification(wParam, lParam);
    if (message == WM_TIMER && wParam == kClickTimer)
    {
        KillTimer(kClickTimer);
        CWnd* pTarget = MenuTarget();
        if (TrayOnClickTimeout(m_clicks) == TrayClick::ShowMenu && pTarget)
            TrackTrayMenu(pTarget);
        return 0;
    }
    if (message == m_nTaskbarCreatedMsg)
    {
        TrayOnTaskbarCreated(m_state);
        InstallIconPending();
        return 0;
    }
    if (message == WM_SETTINGCHANGE)
    {
        const LRESULT r = CWnd::WindowProc(message, wParam, lParam);
        if (wParam == SPI_SETWORKAREA)
        {
            TrayOnWorkAreaChanged(m_state);
            InstallIconPending();
        }
        return r;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CSystemTray::GetTrayWndRect(LPRECT lprect)
{
    if (HWND hTaskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr))
    {
        ::GetWindowRect(hTaskbar, lprect);
        TrayRectSearch search{lprect};
        ::EnumChildWindows(hTaskbar, FindTrayChild, reinterpret_cast<LPARAM>(&search));
        return;
    }
    APPBARDATA abd = {};
    abd.cbSize = sizeof(abd);
    if (::SHAppBarMessage(ABM_GETTASKBARPOS, &abd))
    {
        switch (abd.uEdge)
        {
        case ABE_LEFT:
        case ABE_RIGHT:
            lprect->top = abd.rc.bottom - 100;
            lprect->bottom = abd.rc.bottom - 16;
            lprect->left = abd.rc.left;
            lprect->right = abd.rc.right;
            break;
        case ABE_TOP:
        case ABE_BOTTOM:
            lprect->top = abd.rc.top;
            lprect->bottom = abd.rc.bottom;
            lprect->left = abd.rc.right - 100;
            lprect->right = abd.rc.right - 16;
            break;
        }
        return;
    }
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, lprect, 0);
    lprect->left = lprect->right - 150;
    lprect->top = lprect->bottom - 30;
}

void CSystemTray::MinimiseToTray(CWnd* pWnd, BOOL bForceAnimation)
{
    if (bForceAnimation || IsMinimizeAnimationOn())
    {
        RECT from, to;
        pWnd->GetWindowRect(&from);
        GetTrayWndRect(&to);
        ::DrawAnimatedRects(pWnd->m_hWnd, IDANI_CAPTION, &from, &to);
    }
    CWnd& parking = ParkingWindow();
    if (!parking.m_hWnd && !parking.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, CW_USEDEFAULT,
                                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr))
        return;
    ::SetParent(pWnd->m_hWnd, parking.m_hWnd);
    pWnd->ModifyStyle(WS_VISIBLE, 0);
}

void CSystemTray::MaximiseFromTray(CWnd* pWnd, BOOL bForceAnimation)
{
    if (bForceAnimation || IsMinimizeAnimationOn())
    {
        RECT from, to;
        pWnd->GetWindowRect(&to);
        GetTrayWndRect(&from);
        ::SetParent(pWnd->m_hWnd, nullptr);
        ::DrawAnimatedRects(pWnd->m_hWnd, IDANI_CAPTION, &from, &to);
    }
    else
    {
        ::SetParent(pWnd->m_hWnd, nullptr);
    }
    pWnd->ModifyStyle(0, WS_VISIBLE);
    pWnd->RedrawWindow(nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    CWnd& parking = ParkingWindow();
    if (parking.m_hWnd)
        parking.SetActiveWindow();
    pWnd->SetActiveWindow();
    pWnd->SetForegroundWindow();
}
