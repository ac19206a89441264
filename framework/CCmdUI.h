// One user-interface item (a dialog control or a menu item) whose state an update handler
// (ON_UPDATE_COMMAND_UI) sets. The idle update of dialogs and WM_INITMENUPOPUP fill one
// per item and run the handlers through DoUpdate.
#pragma once

#include <windows.h>

class CWnd;
class CMenu;

class CCmdUI
{
public:
    CCmdUI() = default;
    CCmdUI(const CCmdUI&) = delete;
    CCmdUI& operator=(const CCmdUI&) = delete;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1); // 0 clear, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCWSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Runs the handler of m_nID in pTarget's map. With bDisableIfNoHndler an item that has
    // neither an update handler that enabled it nor a command handler is disabled.
    // TRUE when an update handler ran.
    BOOL DoUpdate(CWnd* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;        // menu item position
    CMenu* m_pMenu = nullptr; // the menu of a menu item
    CMenu* m_pSubMenu = nullptr;
    CWnd* m_pOther = nullptr; // the control of a dialog item
    UINT m_nIndexMax = 0;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
};

// The command-update protocol over the items of a popup menu that is about to open:
// separators are skipped, an item that opens a submenu is updated as its submenu's first
// item (its own state is left alone), plain items keep their state unless an update
// handler changes it.
void UpdateMenuCommandUI(CWnd* pTarget, CMenu* pPopupMenu);
