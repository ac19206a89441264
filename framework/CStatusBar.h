// A status bar with panes: each pane has an id, a style and a width; SetIndicators and
// SetPaneInfo lay the parts out from them at once (the SBPS_STRETCH pane takes the width
// the others leave). Nothing lays them out again later: a caller that resizes the bar and
// wants other parts sets them itself (GetStatusBarCtrl().SetParts).
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "framework/CStatusBarCtrl.h"
#include "framework/CString.h"

// The control id a status bar gets by default.
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;

// Pane styles: the first two are the status bar's own text types.
constexpr UINT SBPS_NORMAL = 0;
constexpr UINT SBPS_NOBORDERS = SBT_NOBORDERS;
constexpr UINT SBPS_POPOUT = SBT_POPOUT;
constexpr UINT SBPS_STRETCH = 0x00010000;

class CStatusBar : public CStatusBarCtrl
{
public:
    // dwCtrlStyle: SBARS_*; dwStyle: window and CCS_* styles (the bar is always a child).
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CCS_BOTTOM,
                  UINT nID = AFX_IDW_STATUS_BAR);
    CStatusBarCtrl& GetStatusBarCtrl() { return *this; }

    // One pane per id: its text is the string resource of the id (empty when there is
    // none), its width that of the text in the bar's font. FALSE when the parts could not
    // be set.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    // bUpdate: repaint the bar now rather than at the next paint.
    BOOL SetPaneText(int nIndex, LPCWSTR lpszNewText, BOOL bUpdate = TRUE);

    // The parts' right edges from the left: each pane as wide as its width; the pane
    // nStretch (-1: none) also gets what the panes leave of the bar's width.
    static std::vector<int> PartRightEdges(const std::vector<int>& widths, int nStretch, int cxBar);

private:
    struct Pane
    {
        UINT nID;
        UINT nStyle;
        int cxWidth;
        CString text;
    };
    BOOL LayOutPanes();
    BOOL SetPaneTextOnly(int nIndex);

    std::vector<Pane> m_panes;
};
