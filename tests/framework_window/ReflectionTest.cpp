// WM_COMMAND, WM_NOTIFY and WM_CTLCOLOR* from a control: the control's own map first, the
// parent's when the control does not handle them.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/CBrush.h"
#include "framework/CButton.h"
#include "framework/CDC.h"

namespace
{
constexpr UINT ID_REFLECTING = 10;
constexpr UINT ID_PLAIN = 11;

std::vector<std::wstring> g_calls;

class ReflectingButton : public CButton
{
public:
    CBrush brush{RGB(1, 2, 3)};
    bool giveBrush = true;

protected:
    void OnSelfClicked() { g_calls.push_back(L"child clicked"); }
    void OnNmClick(NMHDR* nmhdr, LRESULT* pResult)
    {
        g_calls.push_back(L"child NM_CLICK " + std::to_wstring(nmhdr->idFrom));
        *pResult = 42;
    }
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    {
        g_calls.push_back(L"child ctlcolor " + std::to_wstring(nCtlColor));
        pDC->SetTextColor(RGB(9, 9, 9));
        return giveBrush ? static_cast<HBRUSH>(brush) : nullptr;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingButton, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, &ReflectingButton::OnSelfClicked)
ON_NOTIFY_REFLECT(NM_CLICK, &ReflectingButton::OnNmClick)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class ParentBase : public CWnd
{
protected:
    BOOL OnDblClkAccept(UINT id, NMHDR*, LRESULT* pResult)
    {
        g_calls.push_back(L"base accepts " + std::to_wstring(id));
        *pResult = 5;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ParentBase, CWnd)
ON_NOTIFY_EX_RANGE(NM_DBLCLK, 0, 0xFFFFFFFF, &ParentBase::OnDblClkAccept)
END_MESSAGE_MAP()

class Parent : public ParentBase
{
public:
    CBrush brush{RGB(4, 5, 6)};
    ReflectingButton reflecting;
    CButton plain;

    void Build()
    {
        ASSERT_TRUE(CreateEx(0, nullptr, L"parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
        ASSERT_TRUE(reflecting.Create(L"BUTTON", L"r", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                      CRect(0, 0, 50, 20), this, ID_REFLECTING));
        ASSERT_TRUE(plain.Create(L"BUTTON", L"p", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                 CRect(60, 0, 110, 20), this, ID_PLAIN));
    }
    LRESULT Notify(CWnd& from, UINT code)
    {
        NMHDR nmhdr = {from.m_hWnd, static_cast<UINT_PTR>(from.GetDlgCtrlID()), code};
        return SendMessage(WM_NOTIFY, nmhdr.idFrom, reinterpret_cast<LPARAM>(&nmhdr));
    }

protected:
    void OnReflectingClicked() { g_calls.push_back(L"parent got reflecting's click"); }
    void OnPlainClicked() { g_calls.push_back(L"parent clicked 11"); }
    void OnNotifyClick(NMHDR*, LRESULT* pResult)
    {
        g_calls.push_back(L"parent NM_CLICK");
        *pResult = 7;
    }
    BOOL OnDblClkDecline(UINT id, NMHDR*, LRESULT*)
    {
        g_calls.push_back(L"parent declines " + std::to_wstring(id));
        return FALSE;
    }
    HBRUSH OnCtlColor(CDC*, CWnd* pWnd, UINT)
    {
        g_calls.push_back(pWnd == &plain ? L"parent ctlcolor plain" : L"parent ctlcolor other");
        return brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Parent, ParentBase)
ON_BN_CLICKED(ID_REFLECTING, &Parent::OnReflectingClicked)
ON_BN_CLICKED(ID_PLAIN, &Parent::OnPlainClicked)
ON_NOTIFY(NM_CLICK, ID_PLAIN, &Parent::OnNotifyClick)
ON_NOTIFY(NM_CLICK, ID_REFLECTING, &Parent::OnNotifyClick)
ON_NOTIFY_EX_RANGE(NM_DBLCLK, 0, 0xFFFFFFFF, &Parent::OnDblClkDecline)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()
} // namespace

TEST(Reflection, ClickGoesToTheControlThatHandlesIt)
{
    g_calls.clear();
    Parent parent;
    parent.Build();
    parent.reflecting.SendMessage(BM_CLICK);
    parent.plain.SendMessage(BM_CLICK);
    // The buttons paint meanwhile (their colours are reflected too): only the clicks count.
    std::vector<std::wstring> clicks;
    for (const std::wstring& call : g_calls)
        if (call.find(L"ctlcolor") == std::wstring::npos)
            clicks.push_back(call);
    EXPECT_EQ((std::vector<std::wstring>{L"child clicked", L"parent clicked 11"}), clicks);
}

TEST(Reflection, NotifyResultComesFromTheHandlerThatTookIt)
{
    g_calls.clear();
    Parent parent;
    parent.Build();
    EXPECT_EQ(42, parent.Notify(parent.reflecting, NM_CLICK));
    EXPECT_EQ(7, parent.Notify(parent.plain, NM_CLICK));
    // An _EX handler that declines passes the notification on to the base class's map.
    EXPECT_EQ(5, parent.Notify(parent.plain, NM_DBLCLK));
    EXPECT_EQ((std::vector<std::wstring>{L"child NM_CLICK 10", L"parent NM_CLICK", L"parent declines 11",
                                         L"base accepts 11"}),
              g_calls);
}

TEST(Reflection, ControlColoursWinUnlessTheControlGivesNoBrush)
{
    g_calls.clear();
    Parent parent;
    parent.Build();
    HDC hdc = ::GetDC(parent.m_hWnd);
    auto ctlColor = [&](CWnd& child)
    {
        return reinterpret_cast<HBRUSH>(parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(hdc),
                                                           reinterpret_cast<LPARAM>(child.m_hWnd)));
    };
    EXPECT_EQ(static_cast<HBRUSH>(parent.reflecting.brush), ctlColor(parent.reflecting));
    EXPECT_EQ(RGB(9, 9, 9), ::GetTextColor(hdc)); // the control's CtlColor had the DC
    parent.reflecting.giveBrush = false;
    EXPECT_EQ(static_cast<HBRUSH>(parent.brush), ctlColor(parent.reflecting));
    EXPECT_EQ(static_cast<HBRUSH>(parent.brush), ctlColor(parent.plain));
    ::ReleaseDC(parent.m_hWnd, hdc);
    EXPECT_EQ((std::vector<std::wstring>{L"child ctlcolor 3", L"child ctlcolor 3", L"parent ctlcolor other",
                                         L"parent ctlcolor plain"}),
              g_calls);
}
