#include "framework/CToolBar.h"

#include "framework/CRect.h"

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    return CToolBarCtrl::CreateEx(0, dwStyle | dwCtrlStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    TBBUTTON button = {};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button)))
        return FALSE;
    nID = static_cast<UINT>(button.idCommand);
    nStyle = button.fsStyle;
    iImage = button.iBitmap;
    return TRUE;
}

BOOL CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    TBBUTTONINFOW info = {};
    info.dwMask = TBIF_BYINDEX | TBIF_COMMAND | TBIF_STYLE | TBIF_IMAGE;
    info.idCommand = static_cast<int>(nID);
    info.fsStyle = static_cast<BYTE>(nStyle);
    info.iImage = iImage;
    return CToolBarCtrl::SetButtonInfo(nIndex, &info);
}
