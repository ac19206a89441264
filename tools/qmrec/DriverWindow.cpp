#include "tools/qmrec/DriverWindow.h"

#include "tools/qmrec/ConsoleOutput.h"

namespace
{
const wchar_t kClassName[] = L"QuillmothRecDriver";
}

DriverWindow::DriverWindow() = default;

DriverWindow::~DriverWindow()
{
    // The session's threads report to the window: end them first.
    m_session.reset();
    if (m_hWnd)
        DestroyWindow(m_hWnd);
}

BOOL DriverWindow::Create()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return FALSE;
    if (!CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, this))
        return FALSE;
    m_session.reset(new RecordingSession(m_hWnd, *this));
    return TRUE;
}

LRESULT CALLBACK DriverWindow::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
    {
        auto* self = static_cast<DriverWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_hWnd = hWnd;
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<DriverWindow*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY)
    {
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        if (self)
            self->m_hWnd = nullptr;
        self = nullptr;
    }
    if (!self)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    try
    {
        return self->OnMessage(message, wParam, lParam);
    }
    catch (...)
    {
        return 0;
    }
}

LRESULT DriverWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_REC_LOG:
        OnRecLog(reinterpret_cast<CString*>(wParam), static_cast<int>(lParam));
        return 0;
    case WM_REC_PROGRESS:
        delete[] reinterpret_cast<int32_t*>(wParam);
        return 0;
    case WM_REC_FINISHED:
        m_bFinished = true;
        return 0;
    case WM_REC_RESET:
        return 0;
    case WM_REC_STATUS:
        SetStatusText(*reinterpret_cast<const CString*>(lParam));
        return 0;
    case WM_REC_THREAD_END:
        m_bFailed = true;
        m_session->OnRecThreadEnd();
        PostMessageW(m_hWnd, WM_DRIVER_QUIT, 0, 0);
        return 0;
    case WM_DRIVER_STOP:
        m_session->OnStop();
        return 0;
    case WM_DRIVER_QUIT:
        // Done. comes just before the encoder thread returns.
        m_session->WaitForEnd(3000);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(m_hWnd, message, wParam, lParam);
    }
}

void DriverWindow::OnRecLog(CString* text, int level)
{
    std::unique_ptr<CString> owned(text);
    if (!owned)
        return;
    LogEvent(*owned, level);
    // The MP3 and OGG writers report a failed write with this line and still finish the file.
    if (level == LOG_WARNING && *owned == L"Output file write error")
        m_bWriteFailed = true;
    if (level == LOG_INFO && *owned == L"Done.")
        PostMessageW(m_hWnd, WM_DRIVER_QUIT, 0, 0);
}

CString DriverWindow::LevelName(int level)
{
    switch (level)
    {
    case LOG_NOTE:
        return L"note";
    case LOG_INFO:
        return L"info";
    case LOG_WARNING:
        return L"warning";
    default:
        return L"error";
    }
}

void DriverWindow::LogEvent(const CString& text, int level)
{
    if (level >= LOG_WARNING && m_strFirstProblem.IsEmpty())
        m_strFirstProblem = text;
    ConsoleOutput::Line(L"[" + LevelName(level) + L"] " + text);
}

void DriverWindow::SetStatusText(const CString& text)
{
    ConsoleOutput::Line(L"[status] " + text);
}

void DriverWindow::ShowRecordingState(bool) {}

BOOL DriverWindow::PromptOutputPath(const CString&, CString&)
{
    return FALSE;
}

void DriverWindow::DispatchPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

BOOL DriverWindow::Run(CString& reason)
{
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (m_bFailed || !m_bFinished || m_bWriteFailed)
    {
        reason = m_strFirstProblem.IsEmpty() ? CString(L"the recording did not finish") : m_strFirstProblem;
        return FALSE;
    }
    return TRUE;
}
