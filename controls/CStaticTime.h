// A static control that shows its text as green seven-segment digits on black, with the
// unlit segments of every digit drawn dimly.
#pragma once

#include "controls/SevenSegment.h"
#include "framework/CBrush.h"
#include "framework/CPen.h"
#include "framework/CStatic.h"
#include "framework/CString.h"

class CStaticTime : public CStatic
{
public:
    CStaticTime();

    // Repaints without erasing, so frequent updates do not flicker; only the cells whose
    // character changed are repainted, and the same text repaints nothing.
    void SetText(CString text);
    const CString& GetText() const { return m_strText; }
    // Segment sizes of the first paint; 0 before it.
    SegmentSize GetSegmentSize() const { return {m_nThickness, m_nSegLength}; }

protected:
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    void OnPaint();
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextLength(WPARAM, LPARAM);
    void DrawDigit(CDC* pDC, int code, int x);

    bool m_bGhost = true;
    bool m_bGeometryReady = false;
    CString m_strText;
    CRect m_rcClient;
    int m_nPenWidth = 0;
    int m_nSegLength = 0;
    int m_nThickness = 0;
    COLORREF m_crBackground = RGB(0, 0, 0);
    COLORREF m_crSegment = RGB(0, 255, 0);
    CBrush m_brBackground;
    // Made with the segment sizes, at the first paint.
    CPen m_penLit;
    CPen m_penGhost;

    DECLARE_MESSAGE_MAP()
};
