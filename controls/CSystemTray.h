// One icon in the taskbar's notification area: tip, balloons, the popup menu of the
// icon's menu resource (for a left click once no second click can follow; above or below
// the pointer, never under it), a double click as the menu's default command, re-adding
// after the taskbar is recreated, and hiding a window into the tray and back.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include "controls/TrayState.h"
#include "framework/CMenu.h"
#include "framework/CWnd.h"

class CSystemTray : public CWnd
{
public:
    CSystemTray();
    ~CSystemTray() override;

    // pParent receives the callback message (null: the tray's own hidden window). nID is
    // the icon id and the menu resource id.
    BOOL Create(CWnd* pParent, UINT uCallbackMessage, LPCWSTR szTip, HICON icon, UINT nID,
                BOOL bHidden = FALSE, LPCWSTR szBalloonTip = nullptr, LPCWSTR szBalloonTitle = nullptr,
                DWORD dwBalloonIcon = NIIF_NONE, UINT uBalloonTimeout = 10);

    BOOL SetIcon(HICON hIcon);
    BOOL SetTooltipText(LPCWSTR pszTip);
    BOOL ShowBalloon(LPCWSTR szText, LPCWSTR szTitle = nullptr, DWORD dwIcon = NIIF_NONE, UINT uTimeout = 10);
    BOOL RemoveIcon();
    BOOL SetMenuDefaultItem(UINT uItem, BOOL bByPos);
    void SetTargetWnd(CWnd* pTarget) { m_pTargetWnd = pTarget; }

    void MinimiseToTray(CWnd* pWnd, BOOL bForceAnimation = FALSE);
    void MaximiseFromTray(CWnd* pWnd, BOOL bForceAnimation = FALSE);
    static void GetTrayWndRect(LPRECT lprect);

    // What the tray knows, for tests and the owner.
    const NOTIFYICONDATAW& IconData() const { return m_tnd; }
    const TrayIconState& State() const { return m_state; }
    BOOL IsEnabled() const { return m_bEnabled; }

    virtual LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);
    virtual void CustomizeTrayMenu(CMenu*) {}

    static const UINT m_nTaskbarCreatedMsg;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void InstallIconPending();
    // Loads the menu resource into menu; its first submenu, null when there is none.
    CMenu* LoadTrayMenu(CMenu& menu) const;
    // The window that receives the menu's commands; null when there is none.
    CWnd* MenuTarget() const;
    LRESULT TrackTrayMenu(CWnd* pTarget);
    LRESULT PostDefaultCommand(CWnd* pTarget);

    NOTIFYICONDATAW m_tnd;
    BOOL m_bEnabled = FALSE;
    TrayIconState m_state;
    TrayClickState m_clicks;
    BOOL m_bBalloonsSupported = FALSE;
    CWnd* m_pTargetWnd = nullptr;
    UINT m_DefaultMenuItemID = 0;
    BOOL m_DefaultMenuItemByPos = TRUE;
    UINT m_uCreationFlags = 0;
};
