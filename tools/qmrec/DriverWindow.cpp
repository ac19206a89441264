#include "tools/qmrec/DriverWindow.h"

#include "tools/qmrec/ConsoleOutput.h"

BEGIN_MESSAGE_MAP(DriverWindow, CMessageWnd)
ON_MESSAGE(WM_DRIVER_STOP, &DriverWindow::OnDriverStop)
ON_MESSAGE(WM_DRIVER_QUIT, &DriverWindow::OnDriverQuit)
END_MESSAGE_MAP()

DriverWindow::DriverWindow() = default;

DriverWindow::~DriverWindow()
{
    // The session's threads report to the window: end them first.
    m_session.reset();
    DestroyWindow();
}

BOOL DriverWindow::Create()
{
    if (!CreateMessageWindow())
        return FALSE;
    m_session.reset(new RecordingSession(m_hWnd, *this));
    return TRUE;
}

LRESULT DriverWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (ReceiveRecordingMessage(message, wParam, lParam))
        return 0;
    return CMessageWnd::WindowProc(message, wParam, lParam);
}

void DriverWindow::OnRecordingReset()
{
    // The quit waits for the encoder thread, so its last line ("Done.") is printed first.
    PostMessage(WM_DRIVER_QUIT);
}

void DriverWindow::OnRecordingThreadEnd(int, unsigned recording)
{
    if (!m_session->OnRecThreadEnd(recording))
        return;
    PostMessage(WM_DRIVER_QUIT);
}

LRESULT DriverWindow::OnDriverStop(WPARAM, LPARAM)
{
    m_session->OnStop();
    return 0;
}

LRESULT DriverWindow::OnDriverQuit(WPARAM, LPARAM)
{
    // "Done." comes just before the encoder thread returns: once it has, the line is
    // queued ahead of the quit.
    m_session->WaitForEnd(3000);
    PostQuitMessage(0);
    return 0;
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
    // A file cut short by a failed write is finished all the same, but not what was asked.
    if (m_outcome.result != RecordingOutcome::kComplete)
    {
        reason = m_strFirstProblem.IsEmpty() ? CString(L"the recording did not finish") : m_strFirstProblem;
        return FALSE;
    }
    return TRUE;
}
