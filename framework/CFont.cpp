#include "framework/CFont.h"

#include <cwchar>

#include "framework/CDC.h"
#include "framework/CHandleMap.h"

CFont* CFont::FromHandle(HFONT hFont)
{
    return CHandleMap<CFont, HFONT>::Lookup(hFont, [](CFont& o, HFONT h) { o.m_hObject = h; });
}

BOOL CFont::CreatePointFont(int nPointSize, LPCWSTR lpszFaceName, CDC* pDC)
{
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    if (lpszFaceName)
        std::wcsncpy(lf.lfFaceName, lpszFaceName, LF_FACESIZE - 1);
    HDC hDC = pDC ? pDC->m_hAttribDC : ::GetDC(nullptr);
    // Tenths of a point to logical units, as a character height (negative).
    lf.lfHeight = -::MulDiv(nPointSize, ::GetDeviceCaps(hDC, LOGPIXELSY), 720);
    if (!pDC)
        ::ReleaseDC(nullptr, hDC);
    return CreateFontIndirect(&lf);
}
