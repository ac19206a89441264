// The driver's hidden message-only window: it receives the recording's messages, prints
// every log line with its level and ends the message loop when the recording is over.
#pragma once

#include <windows.h>

#include <memory>

#include "engine/RecordingEvents.h"
#include "engine/RecordingHost.h"
#include "engine/RecordingSession.h"
#include "framework/CMessageWnd.h"

class DriverWindow : public CMessageWnd, public RecordingHost, public RecordingEvents
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

    // Message loop until the recording is over. TRUE when it ended complete; otherwise
    // the reason.
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
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // RecordingEvents
    void OnRecordingProgress(const int32_t*, unsigned) override {}
    void OnRecordingLog(const CString& text, int level) override { LogEvent(text, level); }
    void OnRecordingStatus(const CString& text) override { SetStatusText(text); }
    void OnRecordingFinished(const RecordingOutcome& outcome) override { m_outcome = outcome; }
    void OnRecordingReset() override;
    void OnRecordingThreadEnd(int worker, unsigned recording) override;

    LRESULT OnDriverStop(WPARAM wParam, LPARAM lParam);
    LRESULT OnDriverQuit(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<RecordingSession> m_session;
    RecordingOutcome m_outcome; // cancelled until the writer says otherwise
    CString m_strFirstProblem;
};
