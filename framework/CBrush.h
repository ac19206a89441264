// A GDI brush.
#pragma once

#include "framework/CGdiObject.h"

class CBrush : public CGdiObject
{
public:
    CBrush() = default;
    // A solid brush; the handle stays null when it cannot be created.
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }

    static CBrush* FromHandle(HBRUSH hBrush);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }

    BOOL CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
};
