// A toolbar addressed by button position: its buttons' commands, styles and images are
// read and written by index.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/CToolBarCtrl.h"

// The control id a toolbar gets by default.
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;

class CToolBar : public CToolBarCtrl
{
public:
    using CToolBarCtrl::CreateEx;
    using CToolBarCtrl::GetButtonInfo;
    using CToolBarCtrl::SetButtonInfo;

    // dwCtrlStyle: TBSTYLE_*; dwStyle: window and CCS_* styles (the bar is always a child).
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CCS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    CToolBarCtrl& GetToolBarCtrl() { return *this; }

    // The button at nIndex: its command, style (BTNS_*) and image; FALSE when there is none.
    BOOL GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    // nStyle: BTNS_* in its low byte (higher bits are not a button's); the state is kept.
    BOOL SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
};
