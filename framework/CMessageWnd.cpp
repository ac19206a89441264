#include "framework/CMessageWnd.h"

BOOL CMessageWnd::CreateMessageWindow(LPCWSTR lpszWindowName)
{
    return CreateEx(0, nullptr, lpszWindowName, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
}
