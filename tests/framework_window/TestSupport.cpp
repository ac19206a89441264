#include "TestSupport.h"

#include "framework/CWnd.h"

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    while (!done())
    {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

namespace
{
MessageBoxCloser* g_closer = nullptr;

BOOL CALLBACK CloseBox(HWND hWnd, LPARAM)
{
    wchar_t cls[16] = L"";
    ::GetClassNameW(hWnd, cls, 16);
    // The framework's own dialogs are bound to objects; a system message box is not.
    if (std::wstring(cls) == L"#32770" && ::IsWindowVisible(hWnd) && !CWnd::FromHandlePermanent(hWnd))
    {
        wchar_t text[512] = L"";
        ::GetDlgItemTextW(hWnd, 0xFFFF, text, 512);
        g_closer->texts.push_back(text);
        ::PostMessageW(hWnd, WM_COMMAND, IDOK, 0);
    }
    return TRUE;
}
} // namespace

MessageBoxCloser::MessageBoxCloser()
{
    g_closer = this;
    m_timer = ::SetTimer(nullptr, 0, 50, &OnTimer);
}

MessageBoxCloser::~MessageBoxCloser()
{
    ::KillTimer(nullptr, m_timer);
    g_closer = nullptr;
}

void CALLBACK MessageBoxCloser::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_closer)
        ::EnumThreadWindows(::GetCurrentThreadId(), &CloseBox, 0);
}

LRESULT CountingControl::OnChar(WPARAM wParam, LPARAM lParam)
{
    charMessages++;
    return DefWindowProc(WM_CHAR, wParam, lParam);
}

BEGIN_MESSAGE_MAP(CountingControl, CWnd)
ON_MESSAGE(WM_CHAR, &CountingControl::OnChar)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(ScriptedDialog, CDialog)
ON_WM_TIMER()
ON_MESSAGE(WM_KICKIDLE, &ScriptedDialog::OnKickIdle)
END_MESSAGE_MAP()

BOOL ScriptedDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetTimer(77, 20);
    return TRUE;
}

LRESULT ScriptedDialog::OnKickIdle(WPARAM wParam, LPARAM lParam)
{
    m_idleSeen = true;
    return CDialog::OnKickIdle(wParam, lParam);
}

void ScriptedDialog::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != 77)
    {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    // On a loaded machine the timer can come again before the queue ever runs dry;
    // waiting for an idle pass keeps the steps in step with the update handlers.
    if (m_inStep || !m_idleSeen || m_next >= steps.size())
        return;
    m_idleSeen = false;
    struct InStep
    {
        bool& flag;
        ~InStep() { flag = false; }
    } inStep{m_inStep = true};
    steps[m_next++](*this);
}
