// A GDI pen.
#pragma once

#include "framework/CGdiObject.h"

class CPen : public CGdiObject
{
public:
    CPen() = default;
    // The handle stays null when the pen cannot be created.
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }

    static CPen* FromHandle(HPEN hPen);
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }

    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
    {
        return Attach(::CreatePen(nPenStyle, nWidth, crColor));
    }
};
