#include "controls/CXColorStatic.h"

#include "controls/ControlFont.h"
#include "framework/CPaintDC.h"

BEGIN_MESSAGE_MAP(CXColorStatic, CStatic)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

UINT ColorStaticDrawFlags(DWORD style)
{
    UINT flags = DT_LEFT;
    const DWORD align = style & SS_TYPEMASK;
    if (align == SS_CENTER)
        flags = DT_CENTER;
    else if (align == SS_RIGHT)
        flags = DT_RIGHT;
    if (style & SS_CENTERIMAGE)
        flags |= DT_VCENTER | DT_SINGLELINE;
    else
        flags |= DT_WORDBREAK;
    return flags;
}

CXColorStatic::CXColorStatic()
    : m_rgbText(::GetSysColor(COLOR_BTNTEXT)), m_rgbBackground(::GetSysColor(COLOR_BTNFACE))
{
    m_brush.CreateSolidBrush(m_rgbBackground);
}

void CXColorStatic::PreSubclassWindow()
{
    LOGFONTW lf;
    if (GetControlLogFont(m_hWnd, &lf))
        m_font.CreateFontIndirect(&lf);
    CStatic::PreSubclassWindow();
}

void CXColorStatic::SetTextColor(COLORREF rgb, BOOL bRedraw)
{
    m_rgbText = rgb;
    if (bRedraw && m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL CXColorStatic::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillRect(&rc, &m_brush);
    return TRUE;
}

void CXColorStatic::OnPaint()
{
    CPaintDC dc(this);
    const int saved = dc.SaveDC();
    dc.SetTextColor(m_rgbText);
    dc.SetBkColor(m_rgbBackground);
    dc.SetBkMode(OPAQUE);
    dc.SelectObject(&m_brush);
    if (m_font.GetSafeHandle())
        dc.SelectObject(&m_font);
    CString text;
    GetWindowText(text);
    CRect rc;
    GetClientRect(&rc);
    dc.DrawText(text, &rc, ColorStaticDrawFlags(GetStyle()));
    dc.RestoreDC(saved);
}
