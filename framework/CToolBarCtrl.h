// A toolbar. Create and CreateEx make it a child window, as CWnd::Create does, and tell
// the control the size of TBBUTTON, without which it does not take buttons.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/CSize.h"
#include "framework/CWnd.h"

class CImageList;

class CToolBarCtrl : public CWnd
{
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // With extended window styles; the toolbar's own (TBSTYLE_EX_*) are SetExtendedStyle's.
    BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The previous list.
    CImageList* SetImageList(CImageList* pImageList);
    DWORD SetExtendedStyle(DWORD dwExStyle)
    {
        return static_cast<DWORD>(SendMessage(TB_SETEXTENDEDSTYLE, 0, static_cast<LPARAM>(dwExStyle)));
    }
    BOOL AddButtons(int nNumButtons, LPTBBUTTON lpButtons)
    {
        return static_cast<BOOL>(SendMessage(TB_ADDBUTTONSW, static_cast<WPARAM>(nNumButtons),
                                             reinterpret_cast<LPARAM>(lpButtons)));
    }
    int GetButtonCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }
    BOOL SetButtonSize(CSize size)
    {
        return static_cast<BOOL>(SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy)));
    }
    BOOL SetBitmapSize(CSize size)
    {
        return static_cast<BOOL>(SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy)));
    }
    // By position.
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const
    {
        return static_cast<BOOL>(
            SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
    }
    // By command.
    BOOL GetRect(int nID, LPRECT lpRect) const
    {
        return static_cast<BOOL>(
            SendMessage(TB_GETRECT, static_cast<WPARAM>(nID), reinterpret_cast<LPARAM>(lpRect)));
    }
    BOOL GetMaxSize(LPSIZE pSize) const
    {
        return static_cast<BOOL>(SendMessage(TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(pSize)));
    }
    // By command; the fields named in ptbbi->dwMask (cbSize is set here). The button's
    // index, -1 when there is none.
    int GetButtonInfo(int nID, TBBUTTONINFOW* ptbbi) const
    {
        ptbbi->cbSize = sizeof(TBBUTTONINFOW);
        return static_cast<int>(
            SendMessage(TB_GETBUTTONINFOW, static_cast<WPARAM>(nID), reinterpret_cast<LPARAM>(ptbbi)));
    }
    BOOL SetButtonInfo(int nID, TBBUTTONINFOW* ptbbi)
    {
        ptbbi->cbSize = sizeof(TBBUTTONINFOW);
        return static_cast<BOOL>(
            SendMessage(TB_SETBUTTONINFOW, static_cast<WPARAM>(nID), reinterpret_cast<LPARAM>(ptbbi)));
    }
    // By command: the button's image index in the image list.
    BOOL ChangeBitmap(int idButton, int iBitmap)
    {
        return static_cast<BOOL>(SendMessage(TB_CHANGEBITMAP, static_cast<WPARAM>(idButton), iBitmap));
    }
    void AutoSize() { SendMessage(TB_AUTOSIZE); }
};
