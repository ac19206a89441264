// Dispatch through the message maps: which entry wins, ranges, the binding's lifetime, and
// handlers that throw.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/CWnd.h"
#include "framework/CallbackGuard.h"
#include "TestSupport.h"

namespace
{
constexpr UINT WM_TEST_BASE = WM_APP + 1;
constexpr UINT WM_TEST_THROW = WM_APP + 2;

class BaseWnd : public CWnd
{
public:
    std::vector<std::wstring> calls;

    BOOL CreatePopup() { return CreateEx(0, nullptr, L"test", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr); }

protected:
    void OnBaseCommand() { calls.push_back(L"base 100"); }
    void OnOnlyInBase() { calls.push_back(L"base 300"); }
    LRESULT OnTestBase(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam) * 2; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
ON_COMMAND(100, &BaseWnd::OnBaseCommand)
ON_COMMAND(300, &BaseWnd::OnOnlyInBase)
ON_MESSAGE(WM_TEST_BASE, &BaseWnd::OnTestBase)
END_MESSAGE_MAP()

class DerivedWnd : public BaseWnd
{
public:
    HWND hWndSeenAtCreate = nullptr;
    HWND hWndAtNcDestroy = nullptr;
    bool boundAtPostNcDestroy = true;
    HWND destroyedHandle = nullptr;
    int postNcDestroyCalls = 0;

protected:
    int OnCreate(LPCREATESTRUCT cs)
    {
        hWndSeenAtCreate = m_hWnd;
        return CWnd::OnCreate(cs);
    }
    void OnDerivedCommand() { calls.push_back(L"derived 100"); }
    void OnRange(UINT nID) { calls.push_back(L"range " + std::to_wstring(nID)); }
    LRESULT OnThrow(WPARAM wParam, LPARAM)
    {
        if (wParam == 1)
            throw std::runtime_error("handler failed");
        throw 42;
    }
    void PostNcDestroy() override
    {
        postNcDestroyCalls++;
        boundAtPostNcDestroy = CWnd::FromHandlePermanent(destroyedHandle) != nullptr || m_hWnd != nullptr;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
ON_WM_CREATE()
ON_COMMAND(100, &DerivedWnd::OnDerivedCommand)
ON_COMMAND_RANGE(101, 199, &DerivedWnd::OnRange)
ON_MESSAGE(WM_TEST_THROW, &DerivedWnd::OnThrow)
END_MESSAGE_MAP()

std::vector<std::wstring> g_reports;
void CollectReport(LPCWSTR text)
{
    g_reports.push_back(text);
}

void SendCommand(CWnd& wnd, UINT id)
{
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
}
} // namespace

TEST(MessageMap, DerivedEntryWinsAndBaseEntriesStillApply)
{
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup());
    SendCommand(wnd, 100);
    SendCommand(wnd, 300);
    EXPECT_EQ((std::vector<std::wstring>{L"derived 100", L"base 300"}), wnd.calls);
    EXPECT_EQ(42, wnd.SendMessage(WM_TEST_BASE, 21));
}

TEST(MessageMap, CommandRangeCoversBothEndsOnly)
{
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup());
    for (UINT id : {100u, 101u, 150u, 199u, 200u})
        SendCommand(wnd, id);
    EXPECT_EQ((std::vector<std::wstring>{L"derived 100", L"range 101", L"range 150", L"range 199"}),
              wnd.calls);
}

TEST(MessageMap, BindingLastsFromCreationToNcDestroy)
{
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup());
    HWND hWnd = wnd.m_hWnd;
    EXPECT_EQ(hWnd, wnd.hWndSeenAtCreate); // WM_CREATE already reached the object
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandle(hWnd));

    wnd.destroyedHandle = hWnd;
    ASSERT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(1, wnd.postNcDestroyCalls);
    EXPECT_FALSE(wnd.boundAtPostNcDestroy);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(MessageMap, HandlerExceptionsAreReportedAndStayInside)
{
    g_reports.clear();
    CallbackGuard::SetReporter(&CollectReport);
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup());
    EXPECT_EQ(0, wnd.SendMessage(WM_TEST_THROW, 1));
    EXPECT_EQ(0, wnd.SendMessage(WM_TEST_THROW, 2));
    // The window still works afterwards.
    EXPECT_EQ(8, wnd.SendMessage(WM_TEST_BASE, 4));
    CallbackGuard::SetReporter(nullptr);
    ASSERT_EQ(2u, g_reports.size());
    EXPECT_NE(std::wstring::npos, g_reports[0].find(L"handler failed"));
    EXPECT_NE(std::wstring::npos, g_reports[0].find(L"0x8002"));
}

namespace
{
class FailingCreateWnd : public CWnd
{
protected:
    int OnCreate(LPCREATESTRUCT) { throw std::runtime_error("no"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FailingCreateWnd, CWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()
} // namespace

TEST(MessageMap, CreationFailsWhenOnCreateThrows)
{
    CallbackGuard::SetReporter(&CollectReport);
    FailingCreateWnd wnd;
    EXPECT_FALSE(wnd.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    CallbackGuard::SetReporter(nullptr);
}

TEST(MessageMap, SubclassRoutesAndUnsubclassRestores)
{
    HWND hEdit =
        ::CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hEdit);
    LONG_PTR original = ::GetWindowLongPtrW(hEdit, GWLP_WNDPROC);
    {
        CountingControl edit;
        ASSERT_TRUE(edit.SubclassWindow(hEdit));
        EXPECT_FALSE(CountingControl().SubclassWindow(hEdit)); // one object per window
        ::SendMessageW(hEdit, WM_CHAR, L'x', 0);
        EXPECT_EQ(1, edit.charMessages);
        wchar_t text[8] = L"";
        ::GetWindowTextW(hEdit, text, 8);
        EXPECT_STREQ(L"x", text); // the edit's own procedure still ran
        EXPECT_EQ(1, edit.presubclassCalls);
        EXPECT_EQ(hEdit, edit.UnsubclassWindow());
    }
    EXPECT_EQ(original, ::GetWindowLongPtrW(hEdit, GWLP_WNDPROC));
    EXPECT_TRUE(::IsWindow(hEdit)); // the object let go without destroying it
    ::DestroyWindow(hEdit);
}

TEST(MessageMap, ObjectDestroysItsWindow)
{
    HWND hWnd;
    {
        BaseWnd wnd;
        ASSERT_TRUE(wnd.CreatePopup());
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}
