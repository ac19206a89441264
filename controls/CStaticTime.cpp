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
    dc.FillSolidRect(&m_rcClient, m_crBackground);
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
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (m_bGhost && text[i] != L':')
            DrawDigit(&dc, kSegGhost, cells[i]);
        const int code = SegmentCode(text[i]);
        if (code >= 0)
            DrawDigit(&dc, code, cells[i]);
    }
}

void CStaticTime::DrawDigit(CDC* pDC, int code, int x)
{
    CPen pen(PS_SOLID, m_nPenWidth, code == kSegGhost ? GhostColour(m_crSegment) : m_crSegment);
    CPen* pOld = pDC->SelectObject(&pen);
    for (const SegmentLine& line : SegmentLines(code, x, GetSegmentSize()))
    {
        pDC->MoveTo(line.from.x, line.from.y);
        pDC->LineTo(line.to.x, line.to.y);
    }
    pDC->SelectObject(pOld);
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
