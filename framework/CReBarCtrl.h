// A rebar.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/CWnd.h"

class CReBarCtrl : public CWnd
{
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create(REBARCLASSNAMEW, nullptr, dwStyle, rect, pParentWnd, nID);
    }
    // prbbi->cbSize is the caller's: REBARBANDINFOW_V6_SIZE is what every version takes.
    BOOL InsertBand(UINT uIndex, REBARBANDINFOW* prbbi)
    {
        return static_cast<BOOL>(SendMessage(RB_INSERTBANDW, uIndex, reinterpret_cast<LPARAM>(prbbi)));
    }
    UINT GetBandCount() const { return static_cast<UINT>(SendMessage(RB_GETBANDCOUNT)); }
};
