// The driver's hidden message-only window: it receives the recording's messages, prints
// every log line with its level and ends the message loop when the recording is over.
#pragma once

#include <windows.h>

#include <memory>

#include "engine/RecordingHost.h"
#include "engine/RecordingSession.h"
#include "framework/CMessageWnd.h"

class DriverWindow : public CMessageWnd, public RecordingHost
{
public:
    // Asks the loop to stop the recording (posted by the Ctrl+C handler).
    static constexpr UINT WM_DRIVER_STOP = WM_APP + 1;
    // Posted to itself once the recording is over: runs after what is already queued.
    static constexpr UINT WM_DRIVER_QUIT = WM_APP + 2;

    DriverWindow();
    ~DriverWindow() override;
    DriverWindow(const DriverWindow&) = delete;
    DriverWindow& operator=(const DriverWindow&) = delete;

    BOOL Create();
    RecordingSession& Session() { return *m_session; }

    // Message loop until the recording is over. TRUE when the file was finished, no
    // worker failed and the writer reported no write error; otherwise the reason.
    BOOL Run(CString& reason);
    // Handles what is already queued (a refused Record posts its reason).
    void DispatchPending();
    const CString& GetFirstProblem() const { return m_strFirstProblem; }

    // RecordingHost
    void LogEvent(const CString& text, int level) override;
    void SetStatusText(const CString& text) override;
    void ShowRecordingState(bool paused) override;
    BOOL PromptOutputPath(const CString& extension, CString& path) override;

    static CString LevelName(int level);

protected:
    LRESULT OnRecLog(WPARAM wParam, LPARAM lParam);
    LRESULT OnRecProgress(WPARAM wParam, LPARAM lParam);
    LRESULT OnRecFinished(WPARAM wParam, LPARAM lParam);
    LRESULT OnRecReset(WPARAM wParam, LPARAM lParam);
    LRESULT OnRecThreadEnd(WPARAM wParam, LPARAM lParam);
    LRESULT OnRecStatus(WPARAM wParam, LPARAM lParam);
    LRESULT OnDriverStop(WPARAM wParam, LPARAM lParam);
    LRESULT OnDriverQuit(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<RecordingSession> m_session;
    bool m_bFinished = false;
    bool m_bFailed = false;
    bool m_bWriteFailed = false; // the file is cut short, although it was finished
    CString m_strFirstProblem;
};
