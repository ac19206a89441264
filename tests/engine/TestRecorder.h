// A recording session in a test: a message-only window that collects what the workers
// report, and a host that records the synchronous calls.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/RecordingEvents.h"
#include "engine/RecordingSession.h"
#include "framework/CMessageWnd.h"

struct LogLine
{
    int level;
    std::wstring text;
};

class TestRecorder : public CMessageWnd, public RecordingHost, public RecordingEvents
{
public:
    explicit TestRecorder(const RecordingSession::Limits& limits = RecordingSession::Limits());
    ~TestRecorder() override;

    RecordingSession& Session() { return *m_session; }

    // Handles messages for ms milliseconds.
    void RunFor(DWORD ms);
    // Handles messages until done() holds or the time-out. TRUE when it held in time.
    bool RunUntil(const std::function<bool()>& done, DWORD timeoutMs);
    // Handles messages until the outcome or a worker failure has been handled and both
    // threads have ended, or the time-out. TRUE when it got there in time.
    bool RunUntilEnded(DWORD timeoutMs);

    bool HasLog(const std::wstring& text, int level) const;
    int CountLevel(int level) const;
    std::wstring Dump() const;

    std::vector<LogLine> logs;
    std::vector<std::wstring> statusTexts;
    bool wrongThreadStatus = false; // a status text set off this thread
    std::vector<bool> states;       // ShowRecordingState calls
    std::vector<int> threadEnds;
    std::vector<RecordingOutcome> outcomes; // one per finished message
    size_t logsAtFinish = 0;                // lines logged when the last one came
    // Called with each worker line before it is logged.
    std::function<void(const CString&)> onWorkerLog;
    int resets = 0;
    int progress = 0;
    int progressCopies = 0;
    unsigned lastCopySize = 0; // samples in the last progress copy
    // PromptOutputPath gives this path, or cancels when it is empty.
    std::wstring promptPath;

    void LogEvent(const CString& text, int level) override;
    void SetStatusText(const CString& text) override;
    void ShowRecordingState(bool paused) override;
    BOOL PromptOutputPath(const CString& extension, CString& path) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnRecordingProgress(const int32_t* samples, unsigned count) override;
    void OnRecordingLog(const CString& text, int level) override
    {
        if (onWorkerLog)
            onWorkerLog(text);
        LogEvent(text, level);
    }
    void OnRecordingStatus(const CString& text) override { SetStatusText(text); }
    void OnRecordingFinished(const RecordingOutcome& outcome) override
    {
        outcomes.push_back(outcome);
        logsAtFinish = logs.size();
    }
    void OnRecordingReset() override { ++resets; }
    void OnRecordingThreadEnd(int worker, unsigned recording) override;

private:
    std::unique_ptr<RecordingSession> m_session;
    const DWORD m_threadId;
};
