#include "TestRecorder.h"

namespace
{
const wchar_t kClass[] = L"QuillmothTestRecorder";
}

TestRecorder::TestRecorder(const RecordingSession::Limits& limits) : m_threadId(GetCurrentThreadId())
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
    CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, this);
    m_session.reset(new RecordingSession(m_hWnd, *this, limits));
}

TestRecorder::~TestRecorder()
{
    m_session.reset();
    RunFor(0); // frees what is still queued
    if (m_hWnd)
        DestroyWindow(m_hWnd);
}

LRESULT CALLBACK TestRecorder::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
    {
        auto* self = static_cast<TestRecorder*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_hWnd = hWnd;
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TestRecorder*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY && self)
    {
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        self->m_hWnd = nullptr;
        self = nullptr;
    }
    return self ? self->OnMessage(message, wParam, lParam) : DefWindowProcW(hWnd, message, wParam, lParam);
}

LRESULT TestRecorder::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_REC_LOG:
    {
        std::unique_ptr<CString> text(reinterpret_cast<CString*>(wParam));
        LogEvent(*text, static_cast<int>(lParam));
        if (*text == L"Done." && lParam == LOG_INFO)
            done = true;
        return 0;
    }
    case WM_REC_PROGRESS:
        ++progress;
        if (wParam)
        {
            ++progressCopies;
            lastCopySize = lParam;
        }
        delete[] reinterpret_cast<int32_t*>(wParam);
        return 0;
    case WM_REC_FINISHED:
        ++finished;
        return 0;
    case WM_REC_RESET:
        ++resets;
        return 0;
    case WM_REC_STATUS:
        SetStatusText(*reinterpret_cast<const CString*>(lParam));
        return 0;
    case WM_REC_THREAD_END:
        threadEnds.push_back(wParam);
        m_session->OnRecThreadEnd();
        return 0;
    default:
        return DefWindowProcW(m_hWnd, message, wParam, lParam);
    }
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
