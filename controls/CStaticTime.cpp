#include "controls/CStaticTime.h"

#include <algorithm>
#include <cwchar>

#include "controls/CMemDC2.h"
#include "framework/CPaintDC.h"
#include "framework/CPen.h"

BEGIN_MESSAGE_MAP(CStaticTime, CStatic)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_PAINT()
ON_MESSAGE(WM_GETTEXT, &CStaticTime::OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, &CStaticTime::OnGetTextLength)
END_MESSAGE_MAP()

CStaticTime::CStaticTime() : m_strText(L"0")
{
    m_brBackground.CreateSolidBrush(m_crBackground);
}

void CStaticTime::SetText(CString text)
{
    m_strText = text;
    if (m_hWnd)
        InvalidateRect(nullptr, FALSE);
}

HBRUSH CStaticTime::CtlColor(CDC* pDC, UINT)
{
    pDC->SetTextColor(m_crSegment);
    pDC->SetBkColor(m_crBackground);
    return static_cast<HBRUSH>(m_brBackground.GetSafeHandle());
}

void CStaticTime::OnPaint()
{
    GetClientRect(&m_rcClient);
    CPaintDC paintDC(this);
    CMemDC2 dc(&paintDC, &m_rcClient);
    if (!m_bGeometryReady)
    {
        // Sized once, from the first paint's height.
        const SegmentSize s = SegmentSizeForHeight(m_rcClient.bottom);
        m_nThickness = s.thickness;
        m_nSegLength = s.length;
        m_nPenWidth = s.thickness;
        m_bGeometryReady = true;
    }
    const std::wstring text(m_strText.GetString(), static_cast<size_t>(m_strText.GetLength()));
    const std::vector<int> cells = SegmentCellPositions(text, GetSegmentSize());
    // The background with its unlit segments changes only with the text's layout; the
    // clock repaints ten times a second, so it is drawn once and copied.
    if (!DrawBackground(&dc, text, cells))
        dc.FillSolidRect(&m_rcClient, m_crBackground);
    CPen pen(PS_SOLID, m_nPenWidth, m_crSegment);
    CPen* pOld = dc.SelectObject(&pen);
    for (size_t i = 0; i < text.size(); ++i)
    {
        const int code = SegmentCode(text[i]);
        if (code >= 0)
            DrawSegments(&dc, code, cells[i]);
    }
    dc.SelectObject(pOld);
}

BOOL CStaticTime::DrawBackground(CDC* pDC, const std::wstring& text, const std::vector<int>& cells)
{
    // Digits share one ghost; what else stands where (colon, point, blank) shapes it.
    std::wstring layout = text;
    for (wchar_t& c : layout)
        if (c != L':')
            c = L'8';
    const int width = m_rcClient.Width();
    const int height = m_rcClient.Height();
    if (layout != m_strGhostLayout || width != m_nGhostWidth || height != m_nGhostHeight ||
        !m_ghostDC.GetSafeHdc())
    {
        m_ghostDC.DeleteDC();
        m_ghostBitmap.DeleteObject();
        if (!m_ghostDC.CreateCompatibleDC(pDC) || !m_ghostBitmap.CreateCompatibleBitmap(pDC, width, height))
        {
            m_ghostDC.DeleteDC();
            return FALSE;
        }
        m_ghostDC.SelectObject(&m_ghostBitmap);
        m_ghostDC.FillSolidRect(&m_rcClient, m_crBackground);
        if (m_bGhost)
        {
            CPen ghost(PS_SOLID, m_nPenWidth, GhostColour(m_crSegment));
            CPen* pOld = m_ghostDC.SelectObject(&ghost);
            for (size_t i = 0; i < layout.size(); ++i)
                if (layout[i] != L':')
                    DrawSegments(&m_ghostDC, kSegGhost, cells[i]);
            m_ghostDC.SelectObject(pOld);
        }
        m_strGhostLayout = layout;
        m_nGhostWidth = width;
        m_nGhostHeight = height;
    }
    return pDC->BitBlt(0, 0, width, height, &m_ghostDC, 0, 0, SRCCOPY);
}

void CStaticTime::DrawSegments(CDC* pDC, int code, int x)
{
    for (const SegmentLine& line : SegmentLines(code, x, GetSegmentSize()))
    {
        pDC->MoveTo(line.from.x, line.from.y);
        pDC->LineTo(line.to.x, line.to.y);
    }
}

// The digits shown are the control's text, for whoever reads it (a screen reader, a test).
LRESULT CStaticTime::OnGetText(WPARAM wParam, LPARAM lParam)
{
    auto* buffer = reinterpret_cast<wchar_t*>(lParam);
    const int room = static_cast<int>(wParam);
    if (!buffer || room <= 0)
        return 0;
    const int n = std::min(room - 1, m_strText.GetLength());
    wmemcpy(buffer, m_strText.GetString(), static_cast<size_t>(n));
    buffer[n] = L'\0';
    return n;
}

LRESULT CStaticTime::OnGetTextLength(WPARAM, LPARAM)
{
    return m_strText.GetLength();
}
