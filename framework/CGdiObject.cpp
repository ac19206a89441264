#include "framework/CGdiObject.h"

#include "framework/CHandleMap.h"

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return CHandleMap<CGdiObject, HGDIOBJ>::Lookup(hObject,
                                                   [](CGdiObject& o, HGDIOBJ h) { o.m_hObject = h; });
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject || m_hObject)
        return FALSE;
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(Detach());
}
