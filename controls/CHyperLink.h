// A static text as a web link: link, visited and hover colours, underlined while the
// mouse is over it, a hand cursor, the target as tooltip, sized to its text; a click opens
// the target with the shell, else with the browser registered for web pages.
#pragma once

#include "framework/CFont.h"
#include "framework/CStatic.h"
#include "framework/CString.h"
#include "framework/CToolTipCtrl.h"

class CHyperLink : public CStatic
{
public:
    CHyperLink();
    ~CHyperLink() override;

    void SetURL(CString strURL);
    CString GetURL() const { return m_strURL; }
    void SetVisited(BOOL bVisited = TRUE);
    BOOL GetVisited() const { return m_bVisited; }
    BOOL IsOver() const { return m_bOverControl; }
    // -1 underlined while hovered, 1 always, 0 never.
    void SetUnderline(int nUnderline);
    COLORREF CurrentColour() const;
    HCURSOR GetLinkCursor() const { return m_hLinkCursor; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL DestroyWindow() override;

    // The shell result (above 32 is success).
    static HINSTANCE GotoURL(LPCWSTR url, int showcmd);

protected:
    void PreSubclassWindow() override;
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnClicked();
    void PositionWindow();
    void SetDefaultCursor();
    void ReportError(int nError);

    COLORREF m_crLinkColour = RGB(0, 0, 238);
    COLORREF m_crVisitedColour = RGB(85, 26, 139);
    COLORREF m_crHoverColour = RGB(255, 0, 0);
    BOOL m_bOverControl = FALSE;
    BOOL m_bVisited = FALSE;
    int m_nUnderline = -1;
    BOOL m_bAdjustToFit = TRUE;
    CString m_strURL;
    CFont m_UnderlineFont;
    CFont m_StdFont;
    HCURSOR m_hLinkCursor = nullptr;
    bool m_bOwnCursor = false;
    CToolTipCtrl m_ToolTip;
    UINT_PTR m_nTimerID = 100;

    DECLARE_MESSAGE_MAP()
};
