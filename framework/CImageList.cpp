#include "framework/CImageList.h"

#include "framework/CHandleMap.h"

CImageList* CImageList::FromHandle(HIMAGELIST hImageList)
{
    return CHandleMap<CImageList, HIMAGELIST>::Lookup(hImageList, [](CImageList& l, HIMAGELIST h)
                                                      { l.m_hImageList = h; });
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (!hImageList || m_hImageList)
        return FALSE;
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    m_hImageList = nullptr;
    return hImageList;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    return ::ImageList_Destroy(Detach());
}
