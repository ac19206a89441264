// Off-screen drawing for one paint: drawing goes into a bitmap of the target's rectangle
// (in the target's coordinates) and reaches the target in one copy when this object ends.
// For a printing target, or when no bitmap can be had (an empty rectangle, out of memory),
// drawing goes to the target directly.
#pragma once

#include "framework/CBitmap.h"
#include "framework/CDC.h"
#include "framework/CRect.h"

class CMemDC2 : public CDC
{
public:
    // An all-zero rectangle means the target's clip box.
    CMemDC2(CDC* pDC, const RECT* pRect = nullptr);
    ~CMemDC2() override;

    BOOL IsMemory() const { return m_bMemDC; }

private:
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;
    BOOL m_bMemDC = FALSE;
};
