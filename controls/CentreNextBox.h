// The system opens a message box in the middle of the screen. While one of these lives,
// the next dialog window its thread activates is moved over hWndOver's top-level window.
#pragma once

#include <windows.h>

class CentreNextBox
{
public:
    explicit CentreNextBox(HWND hWndOver);
    ~CentreNextBox();
    CentreNextBox(const CentreNextBox&) = delete;
    CentreNextBox& operator=(const CentreNextBox&) = delete;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void CentreBox(HWND hBox);

    HHOOK m_hHook = nullptr;
};
