#include "app/KeyFilters.h"

namespace
{
bool IsComboBox(HWND hWnd)
{
    wchar_t name[16] = {};
    return hWnd && ::GetClassNameW(hWnd, name, 16) && ::lstrcmpiW(name, L"ComboBox") == 0;
}

bool IsListDropped(HWND hFocus)
{
    const HWND combo = IsComboBox(hFocus) ? hFocus : hFocus ? ::GetParent(hFocus) : nullptr;
    return IsComboBox(combo) && ::SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
}
} // namespace

bool KeyFilters::IsEndingKey(const MSG* pMsg)
{
    return pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_RETURN) &&
           !IsListDropped(pMsg->hwnd);
}

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
