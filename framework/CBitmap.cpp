#include "framework/CBitmap.h"

#include "framework/CDC.h"
#include "framework/CHandleMap.h"
#include "framework/CWinApp.h"

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap)
{
    return CHandleMap<CBitmap, HBITMAP>::Lookup(hBitmap, [](CBitmap& o, HBITMAP h) { o.m_hObject = h; });
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return pDC && Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return Attach(::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource)));
}
