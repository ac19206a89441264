#include "framework/CPen.h"

#include "framework/CHandleMap.h"

CPen* CPen::FromHandle(HPEN hPen)
{
    return CHandleMap<CPen, HPEN>::Lookup(hPen, [](CPen& o, HPEN h) { o.m_hObject = h; });
}
