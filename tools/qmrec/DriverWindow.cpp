#include "tools/qmrec/DriverWindow.h"

#include "tools/qmrec/ConsoleOutput.h"

BEGIN_MESSAGE_MAP(DriverWindow, CMessageWnd)
ON_MESSAGE(WM_REC_LOG, &DriverWindow::OnRecLog)
ON_MESSAGE(WM_REC_PROGRESS, &DriverWindow::OnRecProgress)
ON_MESSAGE(WM_REC_FINISHED, &DriverWindow::OnRecFinished)
ON_MESSAGE(WM_REC_RESET, &DriverWindow::OnRecReset)
ON_MESSAGE(WM_REC_THREAD_END, &DriverWindow::OnRecThreadEnd)
ON_MESSAGE(WM_REC_STATUS, &DriverWindow::OnRecStatus)
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

LRESULT DriverWindow::OnRecLog(WPARAM wParam, LPARAM lParam)
{
    std::unique_ptr<CString> owned(reinterpret_cast<CString*>(wParam));
    const int level = static_cast<int>(lParam);
    if (!owned)
        return 0;
    LogEvent(*owned, level);
    // The MP3 and OGG writers report a failed write with this line and still finish the file.
    if (level == LOG_WARNING && *owned == L"Output file write error")
        m_bWriteFailed = true;
    if (level == LOG_INFO && *owned == L"Done.")
        PostMessage(WM_DRIVER_QUIT);
    return 0;
}

LRESULT DriverWindow::OnRecProgress(WPARAM wParam, LPARAM)
{
    delete[] reinterpret_cast<int32_t*>(wParam);
    return 0;
}

LRESULT DriverWindow::OnRecFinished(WPARAM, LPARAM)
{
    m_bFinished = true;
    return 0;
}

LRESULT DriverWindow::OnRecReset(WPARAM, LPARAM)
{
    return 0;
}

LRESULT DriverWindow::OnRecStatus(WPARAM, LPARAM lParam)
{
    SetStatusText(*reinterpret_cast<const CString*>(lParam));
    return 0;
}

LRESULT DriverWindow::OnRecThreadEnd(WPARAM, LPARAM)
{
    m_bFailed = true;
    m_session->OnRecThreadEnd();
    PostMessage(WM_DRIVER_QUIT);
    return 0;
}

LRESULT DriverWindow::OnDriverStop(WPARAM, LPARAM)
{
    m_session->OnStop();
    return 0;
}

LRESULT DriverWindow::OnDriverQuit(WPARAM, LPARAM)
{
    // Done. comes just before the encoder thread returns.
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
    if (m_bFailed || !m_bFinished || m_bWriteFailed)
    {
        reason = m_strFirstProblem.IsEmpty() ? CString(L"the recording did not finish") : m_strFirstProblem;
        return FALSE;
    }
    return TRUE;
}
