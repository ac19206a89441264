// The main window's taskbar button: its progress and its overlay icon, through the system's
// taskbar list (Windows 7 and later). Without one every call does nothing.
#pragma once

#include <windows.h>

#include <shobjidl.h>

class TaskbarButton
{
public:
    explicit TaskbarButton(HWND hWnd) : m_hWnd(hWnd) {}

    static bool Exists();
    void SetProgressState(TBPFLAG flags) const;
    void SetProgressValue(ULONGLONG completed, ULONGLONG total) const;
    void SetOverlayIcon(HICON icon, LPCWSTR description) const;

private:
    HWND m_hWnd;
};
