#include "TestRecorder.h"

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

LRESULT TestRecorder::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (ReceiveRecordingMessage(message, wParam, lParam))
        return 0;
    return CMessageWnd::WindowProc(message, wParam, lParam);
}

void TestRecorder::OnRecordingProgress(const int32_t* samples, unsigned count)
{
    ++progress;
    if (samples)
    {
        ++progressCopies;
        lastCopySize = count;
    }
}

void TestRecorder::OnRecordingThreadEnd(int worker, unsigned recording)
{
    threadEnds.push_back(worker);
    m_session->OnRecThreadEnd(recording);
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
    if (!RunUntil([this] { return (!outcomes.empty() || !threadEnds.empty()) && m_session->HasEnded(); },
                  timeoutMs))
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
