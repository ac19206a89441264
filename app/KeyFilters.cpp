#include "app/KeyFilters.h"

namespace
{
bool IsEndingKey(const MSG* pMsg)
{
    return pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_RETURN);
}
} // namespace

BOOL KeyFilters::MainWindowKeys(HWND hMain, HACCEL hAccel, MSG* pMsg)
{
    if (hAccel && hMain && ::TranslateAcceleratorW(hMain, hAccel, pMsg))
        return TRUE;
    return IsEndingKey(pMsg);
}

BOOL KeyFilters::PageKeys(HWND hPage, HACCEL hAccel, MSG* pMsg, const std::function<void(MSG*)>& mainKeys)
{
    if (hAccel && hPage && ::TranslateAcceleratorW(hPage, hAccel, pMsg))
    {
        if (mainKeys)
            mainKeys(pMsg);
        return TRUE;
    }
    return IsEndingKey(pMsg);
}
