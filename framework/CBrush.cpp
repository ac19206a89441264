#include "framework/CBrush.h"

#include "framework/CHandleMap.h"

CBrush* CBrush::FromHandle(HBRUSH hBrush)
{
    return CHandleMap<CBrush, HBRUSH>::Lookup(hBrush, [](CBrush& o, HBRUSH h) { o.m_hObject = h; });
}
