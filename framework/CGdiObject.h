// Owner of one GDI object: DeleteObject runs when the wrapper is destroyed, unless the
// handle was detached. Wrappers from FromHandle are temporary and own nothing.
#pragma once

#include <windows.h>

class CGdiObject
{
public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject() { DeleteObject(); }

    HGDIOBJ m_hObject = nullptr;

    static CGdiObject* FromHandle(HGDIOBJ hObject);
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }

    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    // A stock object (deleting one is harmless).
    BOOL CreateStockObject(int nIndex) { return Attach(::GetStockObject(nIndex)); }
    int GetObject(int nCount, LPVOID lpObject) const { return ::GetObjectW(m_hObject, nCount, lpObject); }
};
