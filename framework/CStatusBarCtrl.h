// A status bar.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/CWnd.h"

class CStatusBarCtrl : public CWnd
{
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create(STATUSCLASSNAMEW, nullptr, dwStyle, rect, pParentWnd, nID);
    }
    // pWidths: right edge of each part in client coordinates, -1 for "to the end".
    BOOL SetParts(int nParts, int* pWidths)
    {
        return static_cast<BOOL>(
            SendMessage(SB_SETPARTS, static_cast<WPARAM>(nParts), reinterpret_cast<LPARAM>(pWidths)));
    }
    BOOL SetText(LPCWSTR lpszText, int nPane, int nType = 0)
    {
        return static_cast<BOOL>(
            SendMessage(SB_SETTEXTW, static_cast<WPARAM>(nPane | nType), reinterpret_cast<LPARAM>(lpszText)));
    }
    // Needs SBARS_TOOLTIPS.
    void SetTipText(int nPane, LPCWSTR pszTipText)
    {
        SendMessage(SB_SETTIPTEXTW, static_cast<WPARAM>(nPane), reinterpret_cast<LPARAM>(pszTipText));
    }
    void SetMinHeight(int nMin) { SendMessage(SB_SETMINHEIGHT, static_cast<WPARAM>(nMin)); }
    BOOL GetRect(int nPane, LPRECT lpRect) const
    {
        return static_cast<BOOL>(
            SendMessage(SB_GETRECT, static_cast<WPARAM>(nPane), reinterpret_cast<LPARAM>(lpRect)));
    }
};
