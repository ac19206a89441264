// A rebar.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/CWnd.h"

// The control id a rebar gets by default.
constexpr UINT AFX_IDW_REBAR = 0xE81C;

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
    // The fields named in prbbi->fMask; cbSize as for InsertBand.
    BOOL GetBandInfo(UINT uBand, REBARBANDINFOW* prbbi) const
    {
        return static_cast<BOOL>(SendMessage(RB_GETBANDINFOW, uBand, reinterpret_cast<LPARAM>(prbbi)));
    }
    BOOL SetBandInfo(UINT uBand, REBARBANDINFOW* prbbi)
    {
        return static_cast<BOOL>(SendMessage(RB_SETBANDINFOW, uBand, reinterpret_cast<LPARAM>(prbbi)));
    }
    // The band's rectangle in the rebar's client coordinates.
    BOOL GetRect(UINT uBand, LPRECT prc) const
    {
        return static_cast<BOOL>(SendMessage(RB_GETRECT, uBand, reinterpret_cast<LPARAM>(prc)));
    }
    UINT GetBarHeight() const { return static_cast<UINT>(SendMessage(RB_GETBARHEIGHT)); }
};
