// Owner of an image list: ImageList_Destroy runs when the wrapper is destroyed, unless the
// list was detached. Wrappers from FromHandle are temporary and own nothing.
#pragma once

#include <windows.h>

#include <commctrl.h>

class CImageList
{
public:
    CImageList() = default;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    virtual ~CImageList() { DeleteImageList(); }

    HIMAGELIST m_hImageList = nullptr;

    static CImageList* FromHandle(HIMAGELIST hImageList);
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
    {
        return Attach(::ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
    }
    BOOL DeleteImageList();
    // The new image's index, -1 on failure.
    int Add(HICON hIcon) { return ::ImageList_AddIcon(m_hImageList, hIcon); }
    int GetImageCount() const { return ::ImageList_GetImageCount(m_hImageList); }
};
