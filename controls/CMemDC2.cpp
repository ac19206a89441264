#include "controls/CMemDC2.h"

CMemDC2::CMemDC2(CDC* pDC, const RECT* pRect) : m_pDC(pDC)
{
    const bool allZero =
        !pRect || (pRect->left == 0 && pRect->top == 0 && pRect->right == 0 && pRect->bottom == 0);
    if (!allZero)
        m_rect = *pRect;
    else
        pDC->GetClipBox(&m_rect);

    if (!pDC->IsPrinting() && m_rect.Width() > 0 && m_rect.Height() > 0 && CreateCompatibleDC(pDC))
    {
        if (m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height()))
        {
            m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.GetSafeHandle());
            SetWindowOrg(m_rect.left, m_rect.top);
            m_bMemDC = TRUE;
            return;
        }
        DeleteDC();
    }
    // Draw on the target itself; its handles are borrowed.
    m_hDC = pDC->m_hDC;
    m_hAttribDC = pDC->m_hAttribDC;
    m_bPrinting = pDC->m_bPrinting;
}

CMemDC2::~CMemDC2()
{
    if (m_bMemDC)
    {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                      SRCCOPY);
        ::SelectObject(m_hDC, m_hOldBitmap);
        DeleteDC();
    }
    else
    {
        m_hDC = m_hAttribDC = nullptr;
    }
}
