#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/CWinThread.h"

namespace
{
struct Probe
{
    volatile LONG started = 0;
    volatile LONG priority = -99;
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ~Probe() { ::CloseHandle(release); }
};

UINT RecordAndWait(LPVOID param)
{
    Probe* p = static_cast<Probe*>(param);
    p->priority = ::GetThreadPriority(::GetCurrentThread());
    ::WaitForSingleObject(p->release, 5000);
    // Last touch of the probe: once this is seen the test may let it go.
    ::InterlockedExchange(&p->started, 1);
    return 42;
}

UINT Throws(LPVOID)
{
    throw std::runtime_error("worker failure");
}

bool IsOpenHandle(HANDLE h)
{
    DWORD flags;
    return ::GetHandleInformation(h, &flags) != FALSE;
}

// Sees its own destruction, to tell whether auto-delete ran.
class WatchedThread : public CWinThread
{
public:
    WatchedThread(AFX_THREADPROC proc, LPVOID param, volatile LONG* deleted)
        : CWinThread(proc, param), m_deleted(deleted)
    {
    }
    ~WatchedThread() override { ::InterlockedExchange(m_deleted, 1); }

private:
    volatile LONG* m_deleted;
};
} // namespace

TEST(CWinThread, SuspendedStartKeepsPriorityAndOwnerWaitsOnTheHandle)
{
    Probe probe;
    CWinThread* t = AfxBeginThread(RecordAndWait, &probe, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, t);
    t->m_bAutoDelete = FALSE;
    ASSERT_NE(nullptr, t->m_hThread);
    EXPECT_NE(0u, t->m_nThreadID);

    ::Sleep(100);
    EXPECT_EQ(0, probe.started) << "ran before it was resumed";
    EXPECT_EQ(THREAD_PRIORITY_BELOW_NORMAL, t->GetThreadPriority());

    EXPECT_EQ(1u, t->ResumeThread());
    ::SetEvent(probe.release);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(t->m_hThread, 5000));
    EXPECT_EQ(THREAD_PRIORITY_BELOW_NORMAL, probe.priority);
    DWORD code = 0;
    EXPECT_TRUE(::GetExitCodeThread(*t, &code));
    EXPECT_EQ(42u, code);

    // The handle stays valid until the owner deletes the object.
    HANDLE h = t->m_hThread;
    EXPECT_TRUE(IsOpenHandle(h));
    delete t;
    EXPECT_FALSE(IsOpenHandle(h));
}

TEST(CWinThread, PriorityIsSetBeforeAnImmediateStartRuns)
{
    Probe probe;
    ::SetEvent(probe.release);
    CWinThread* t = AfxBeginThread(RecordAndWait, &probe, THREAD_PRIORITY_LOWEST);
    ASSERT_NE(nullptr, t);
    // Auto-delete is on: wait on the thread itself, not on the object.
    for (int i = 0; i < 500 && !probe.started; ++i)
        ::Sleep(10);
    ASSERT_EQ(1, probe.started);
    EXPECT_EQ(THREAD_PRIORITY_LOWEST, probe.priority);
}

TEST(CWinThread, AutoDeleteFreesTheObjectAndItsHandle)
{
    Probe probe;
    volatile LONG deleted = 0;
    WatchedThread* t = new WatchedThread(RecordAndWait, &probe, &deleted);
    ASSERT_TRUE(t->CreateThread(CREATE_SUSPENDED));
    HANDLE own = t->m_hThread;
    HANDLE watch = nullptr;
    ASSERT_TRUE(
        ::DuplicateHandle(::GetCurrentProcess(), own, ::GetCurrentProcess(), &watch, SYNCHRONIZE, FALSE, 0));
    t->ResumeThread();
    ::SetEvent(probe.release);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(watch, 5000));
    ::CloseHandle(watch);
    EXPECT_EQ(1, deleted);
    EXPECT_FALSE(IsOpenHandle(own));
}

TEST(CWinThread, AnEscapingExceptionEndsOnlyTheThread)
{
    CWinThread* t = AfxBeginThread(Throws, nullptr, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, t);
    t->m_bAutoDelete = FALSE;
    t->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(t->m_hThread, 5000));
    DWORD code = 0;
    EXPECT_TRUE(::GetExitCodeThread(t->m_hThread, &code));
    EXPECT_EQ(CWinThread::exitUncaughtException, code);
    delete t;
}
