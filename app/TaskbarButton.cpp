#include "app/TaskbarButton.h"

#include "app/AppGlobals.h"

bool TaskbarButton::Exists()
{
    return g_pTaskbarList != nullptr;
}

void TaskbarButton::SetProgressState(TBPFLAG flags) const
{
    if (g_pTaskbarList)
        g_pTaskbarList->SetProgressState(m_hWnd, flags);
}

void TaskbarButton::SetProgressValue(ULONGLONG completed, ULONGLONG total) const
{
    if (g_pTaskbarList)
        g_pTaskbarList->SetProgressValue(m_hWnd, completed, total);
}

void TaskbarButton::SetOverlayIcon(HICON icon, LPCWSTR description) const
{
    if (g_pTaskbarList)
        g_pTaskbarList->SetOverlayIcon(m_hWnd, icon, description);
}
