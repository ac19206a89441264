#include "framework/CStatusBar.h"

#include "framework/CClientDC.h"
#include "framework/CFont.h"
#include "framework/CSize.h"

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    return Create(dwStyle | dwCtrlStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0 || (nIDCount > 0 && !lpIDArray))
        return FALSE;
    m_panes.clear();
    CClientDC dc(this);
    CFont* font = GetFont();
    CFont* oldFont = font ? dc.SelectObject(font) : nullptr;
    for (int i = 0; i < nIDCount; i++)
    {
        Pane pane = {lpIDArray[i], SBPS_NORMAL, 0, CString()};
        pane.text.LoadString(lpIDArray[i]);
        pane.cxWidth = dc.GetTextExtent(pane.text).cx;
        m_panes.push_back(pane);
    }
    if (oldFont)
        dc.SelectObject(oldFont);
    return LayOutPanes();
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxWidth;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxWidth = cxWidth;
    LayOutPanes();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCWSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    m_panes[static_cast<size_t>(nIndex)].text = lpszNewText ? lpszNewText : L"";
    if (!SetPaneTextOnly(nIndex))
        return FALSE;
    if (bUpdate)
        UpdateWindow();
    return TRUE;
}

BOOL CStatusBar::SetPaneTextOnly(int nIndex)
{
    const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    return SetText(pane.text, nIndex, static_cast<int>(pane.nStyle & (SBT_NOBORDERS | SBT_POPOUT)));
}

std::vector<int> CStatusBar::PartRightEdges(const std::vector<int>& widths, int nStretch, int cxBar)
{
    int total = 0;
    for (int width : widths)
        total += width > 0 ? width : 0;
    int extra = cxBar > total ? cxBar - total : 0;
    std::vector<int> edges;
    int right = 0;
    for (size_t i = 0; i < widths.size(); i++)
    {
        right += widths[i] > 0 ? widths[i] : 0;
        if (static_cast<int>(i) == nStretch)
            right += extra;
        edges.push_back(right);
    }
    return edges;
}

BOOL CStatusBar::LayOutPanes()
{
    std::vector<int> widths;
    int stretch = -1;
    for (const Pane& pane : m_panes)
    {
        if (stretch < 0 && (pane.nStyle & SBPS_STRETCH))
            stretch = static_cast<int>(widths.size());
        widths.push_back(pane.cxWidth);
    }
    CRect client;
    GetClientRect(&client);
    std::vector<int> edges = PartRightEdges(widths, stretch, client.Width());
    // SB_SETPARTS takes at least one part: a bar without panes keeps one empty part.
    if (edges.empty())
        edges.push_back(-1);
    if (!SetParts(static_cast<int>(edges.size()), edges.data()))
        return FALSE;
    BOOL ok = TRUE;
    for (int i = 0; i < GetCount(); i++)
        ok = SetPaneTextOnly(i) && ok;
    return ok;
}
