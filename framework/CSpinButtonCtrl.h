// An up-down control.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/CWnd.h"

class CSpinButtonCtrl : public CWnd
{
public:
    // The previous buddy.
    CWnd* SetBuddy(CWnd* pWndBuddy)
    {
        return FromHandle(reinterpret_cast<HWND>(
            SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(pWndBuddy ? pWndBuddy->m_hWnd : nullptr))));
    }
    void SetRange(int nLower, int nUpper)
    {
        SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper);
    }
    // The previous position.
    int SetPos(int nPos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, nPos)); }
    // UDM_GETPOS: the position in the low word, non-zero high word when the buddy's text
    // is no valid position.
    int GetPos() const { return static_cast<int>(SendMessage(UDM_GETPOS)); }
    int GetPos32(BOOL* pbError = nullptr) const
    {
        return static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(pbError)));
    }
};
