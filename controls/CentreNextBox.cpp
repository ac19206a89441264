#include "controls/CentreNextBox.h"

#include <cwchar>

#include "framework/CWnd.h"
#include "framework/CallbackGuard.h"

namespace
{
// One box at a time on the window thread: a box opened from inside another's hook is left
// where the system puts it.
HWND g_hOver = nullptr;
HHOOK g_hActive = nullptr;
} // namespace

CentreNextBox::CentreNextBox(HWND hWndOver)
{
    if (!hWndOver || g_hActive)
        return;
    g_hOver = ::GetAncestor(hWndOver, GA_ROOT);
    m_hHook = ::SetWindowsHookExW(WH_CBT, &CentreNextBox::Hook, nullptr, ::GetCurrentThreadId());
    g_hActive = m_hHook;
}

CentreNextBox::~CentreNextBox()
{
    if (!m_hHook)
        return;
    ::UnhookWindowsHookEx(m_hHook);
    g_hActive = nullptr;
    g_hOver = nullptr;
}

LRESULT CALLBACK CentreNextBox::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && g_hOver)
        CallbackGuard::Run(L"the box-centring hook", [&] { CentreBox(reinterpret_cast<HWND>(wParam)); });
    return ::CallNextHookEx(g_hActive, code, wParam, lParam);
}

void CentreNextBox::CentreBox(HWND hBox)
{
    wchar_t name[16] = {};
    ::GetClassNameW(hBox, name, 16);
    if (std::wcscmp(name, L"#32770") == 0)
    {
        CWnd::FromHandle(hBox)->CenterWindow(CWnd::FromHandle(g_hOver));
        g_hOver = nullptr; // the box only, not what it opens
    }
}
