// A static text painted in its own colours on a solid background; the text wraps unless
// the control has SS_CENTERIMAGE, which draws one vertically centred line.
#pragma once

#include "framework/CBrush.h"
#include "framework/CFont.h"
#include "framework/CStatic.h"

class CXColorStatic : public CStatic
{
public:
    CXColorStatic();

    void SetTextColor(COLORREF rgb, BOOL bRedraw = TRUE);
    COLORREF GetTextColor() const { return m_rgbText; }
    COLORREF GetBackgroundColor() const { return m_rgbBackground; }

protected:
    void PreSubclassWindow() override;
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();

    CFont m_font;
    COLORREF m_rgbText;
    COLORREF m_rgbBackground;
    CBrush m_brush;

    DECLARE_MESSAGE_MAP()
};

// DrawText flags for a static's style.
UINT ColorStaticDrawFlags(DWORD style);
