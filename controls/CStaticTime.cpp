#include "controls/CStaticTime.h"

#include <algorithm>
#include <cwchar>

#include "controls/CMemDC2.h"
#include "framework/CPaintDC.h"

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

namespace
{
std::wstring Wide(const CString& text)
{
    return std::wstring(text.GetString(), static_cast<size_t>(text.GetLength()));
}
} // namespace

void CStaticTime::SetText(CString text)
{
    // The clock is set with every block, mostly with one digit changed.
    if (text == m_strText)
        return;
    const std::wstring before = Wide(m_strText);
    m_strText = text;
    if (!m_hWnd)
        return;
    std::vector<CellSpan> spans;
    if (!m_bGeometryReady || !ChangedCellSpans(before, Wide(m_strText), GetSegmentSize(), spans))
    {
        InvalidateRect(nullptr, FALSE);
        return;
    }
    CRect client;
    GetClientRect(&client);
    for (const CellSpan& span : spans)
    {
        const CRect cell(span.left, client.top, span.right, client.bottom);
        InvalidateRect(&cell, FALSE);
    }
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
    // Only the cells SetText invalidated need drawing, into a bitmap of their size.
    CRect rcPaint;
    if (!rcPaint.IntersectRect(&paintDC.m_ps.rcPaint, &m_rcClient))
        return;
    CMemDC2 dc(&paintDC, &rcPaint);
    dc.FillRect(&rcPaint, &m_brBackground);
    if (!m_bGeometryReady)
    {
        // Sized once, from the first paint's height.
        const SegmentSize s = SegmentSizeForHeight(m_rcClient.bottom);
        m_nThickness = s.thickness;
        m_nSegLength = s.length;
        m_nPenWidth = s.thickness;
        m_penLit.CreatePen(PS_SOLID, m_nPenWidth, m_crSegment);
        m_penGhost.CreatePen(PS_SOLID, m_nPenWidth, GhostColour(m_crSegment));
        m_bGeometryReady = true;
    }
    const std::wstring text = Wide(m_strText);
    const std::vector<int> cells = SegmentCellPositions(text, GetSegmentSize());
    for (size_t i = 0; i < text.size(); ++i)
    {
        const CellSpan span = SegmentCellSpan(cells[i], GetSegmentSize());
        if (span.right <= rcPaint.left || span.left >= rcPaint.right)
            continue;
        if (m_bGhost && text[i] != L':')
            DrawDigit(&dc, kSegGhost, cells[i]);
        const int code = SegmentCode(text[i]);
        if (code >= 0)
            DrawDigit(&dc, code, cells[i]);
    }
}

void CStaticTime::DrawDigit(CDC* pDC, int code, int x)
{
    CPen* pOld = pDC->SelectObject(code == kSegGhost ? &m_penGhost : &m_penLit);
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
