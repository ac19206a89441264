#include "TestRecorder.h"

BEGIN_MESSAGE_MAP(TestRecorder, CMessageWnd)
ON_MESSAGE(WM_REC_LOG, &TestRecorder::OnRecLog)
ON_MESSAGE(WM_REC_PROGRESS, &TestRecorder::OnRecProgress)
ON_MESSAGE(WM_REC_FINISHED, &TestRecorder::OnRecFinished)
ON_MESSAGE(WM_REC_RESET, &TestRecorder::OnRecReset)
ON_MESSAGE(WM_REC_THREAD_END, &TestRecorder::OnRecThreadEnd)
ON_MESSAGE(WM_REC_STATUS, &TestRecorder::OnRecStatus)
END_MESSAGE_MAP()

TestRecorder::TestRecorder(const RecordingSession::Limits& limits) : m_threadId(GetCurrentThreadId())
{
    CreateMessageWindow();
    m_session.reset(new RecordingSession(m_hWnd, *this, limits));
}

TestRecorder::~TestRecorder()
{
    m_session.reset();
    RunFor(0); // frees what is still queued
    DestroyWindow();
}

LRESULT TestRecorder::OnRecLog(WPARAM wParam, LPARAM lParam)
{
    std::unique_ptr<CString> text(reinterpret_cast<CString*>(wParam));
    LogEvent(*text, static_cast<int>(lParam));
    if (*text == L"Done." && lParam == LOG_INFO)
        done = true;
    return 0;
}

LRESULT TestRecorder::OnRecProgress(WPARAM wParam, LPARAM lParam)
{
    ++progress;
    if (wParam)
    {
        ++progressCopies;
        lastCopySize = lParam;
    }
    delete[] reinterpret_cast<int32_t*>(wParam);
    return 0;
}

LRESULT TestRecorder::OnRecFinished(WPARAM, LPARAM)
{
    ++finished;
    return 0;
}

LRESULT TestRecorder::OnRecReset(WPARAM, LPARAM)
{
    ++resets;
    return 0;
}

LRESULT TestRecorder::OnRecStatus(WPARAM, LPARAM lParam)
{
    SetStatusText(*reinterpret_cast<const CString*>(lParam));
    return 0;
}

LRESULT TestRecorder::OnRecThreadEnd(WPARAM wParam, LPARAM)
{
    threadEnds.push_back(wParam);
    m_session->OnRecThreadEnd();
    return 0;
}

void TestRecorder::RunFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    for (;;)
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
    }
}

bool TestRecorder::RunUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;)
    {
        RunFor(20);
        if (done())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
    }
}

bool TestRecorder::RunUntilEnded(DWORD timeoutMs)
{
    if (!RunUntil([this] { return (done || !threadEnds.empty()) && m_session->HasEnded(); }, timeoutMs))
        return false;
    RunFor(50); // lines posted just before the end: the threads have ended, so they are queued
    return true;
}

bool TestRecorder::HasLog(const std::wstring& text, int level) const
{
    for (const auto& l : logs)
        if (l.text == text && l.level == level)
            return true;
    return false;
}

int TestRecorder::CountLevel(int level) const
{
    int n = 0;
    for (const auto& l : logs)
        n += l.level == level;
    return n;
}

std::wstring TestRecorder::Dump() const
{
    std::wstring all;
    for (const auto& l : logs)
        all += L"[" + std::to_wstring(l.level) + L"] " + l.text + L"\n";
    return all;
}

void TestRecorder::LogEvent(const CString& text, int level)
{
    logs.push_back({level, text.GetString()});
}

void TestRecorder::SetStatusText(const CString& text)
{
    statusTexts.push_back(text.GetString());
    // Every call comes on this thread: the capture thread's text is a sent message.
    if (GetCurrentThreadId() != m_threadId)
        wrongThreadStatus = true;
}

void TestRecorder::ShowRecordingState(bool paused)
{
    states.push_back(paused);
}

BOOL TestRecorder::PromptOutputPath(const CString&, CString& path)
{
    if (promptPath.empty())
        return FALSE;
    path = promptPath.c_str();
    return TRUE;
}
