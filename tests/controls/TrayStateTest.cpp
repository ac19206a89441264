#include <gtest/gtest.h>

#include <windows.h>

#include "controls/TrayState.h"

TEST(TrayState, CreateAndRemove)
{
    TrayIconState s;
    EXPECT_TRUE(s.hidden && s.removed && !s.readdPending);
    TrayOnCreated(s, false, true, true);
    EXPECT_FALSE(s.hidden || s.removed || s.readdPending);
    TrayOnRemoved(s, true);
    EXPECT_TRUE(s.hidden && s.removed && !s.readdPending);

    // A failed first add (no taskbar yet) is added once the taskbar comes; a failed re-add
    // waits for the next one.
    TrayIconState f;
    TrayOnCreated(f, false, true, false);
    EXPECT_TRUE(f.removed && f.readdPending);
    EXPECT_FALSE(f.hidden);
    TrayOnTaskbarCreated(f);
    ASSERT_TRUE(TrayShouldReadd(f));
    TrayOnReadd(f, false);
    EXPECT_TRUE(f.removed && !f.hidden);
    TrayOnTaskbarCreated(f);
    ASSERT_TRUE(TrayShouldReadd(f));
    TrayOnReadd(f, true);
    EXPECT_FALSE(f.removed || f.hidden || f.readdPending);
    // Hidden without balloon support: nothing added, nothing pending.
    TrayIconState h;
    TrayOnCreated(h, true, false, false);
    EXPECT_TRUE(h.hidden && !h.readdPending);
}

TEST(TrayState, ReaddAfterTaskbarAndWorkArea)
{
    TrayIconState s;
    TrayOnCreated(s, false, true, true);
    TrayOnTaskbarCreated(s);
    EXPECT_TRUE(TrayShouldReadd(s));
    TrayOnReadd(s, true);
    EXPECT_FALSE(s.hidden || s.readdPending);

    // The work area changed but the icon was still there: the add fails, the modify
    // that follows works, and the icon stays shown.
    TrayOnWorkAreaChanged(s);
    EXPECT_TRUE(TrayShouldReadd(s));
    TrayOnReadd(s, true);
    EXPECT_FALSE(s.hidden);
    TrayOnWorkAreaChanged(s);
    EXPECT_TRUE(TrayShouldReadd(s)) << "still shown, so still re-added";

    // A hidden icon is not brought back by either message.
    TrayIconState hidden;
    TrayOnCreated(hidden, true, true, true);
    hidden.hidden = true;
    TrayOnWorkAreaChanged(hidden);
    EXPECT_FALSE(TrayShouldReadd(hidden));
    TrayOnTaskbarCreated(hidden);
    EXPECT_FALSE(TrayShouldReadd(hidden));
}

TEST(TrayState, ClicksAndDoubleClicks)
{
    // A left click opens the menu only once the double-click time has passed.
    TrayClickState s;
    EXPECT_EQ(TrayOnMouse(s, WM_LBUTTONDOWN), TrayClick::None);
    EXPECT_EQ(TrayOnMouse(s, WM_LBUTTONUP), TrayClick::WaitForSecond);
    EXPECT_EQ(TrayOnMouse(s, WM_MOUSEMOVE), TrayClick::None);
    EXPECT_EQ(TrayOnClickTimeout(s), TrayClick::ShowMenu);
    EXPECT_EQ(TrayOnClickTimeout(s), TrayClick::None) << "once";

    // A double click as the shell sends it runs the default command and opens no menu,
    // neither on its last button-up nor when the time runs out.
    for (const UINT event : {WM_LBUTTONDOWN, WM_LBUTTONUP})
        TrayOnMouse(s, event);
    EXPECT_EQ(TrayOnMouse(s, WM_LBUTTONDBLCLK), TrayClick::Default);
    EXPECT_EQ(TrayOnMouse(s, WM_LBUTTONUP), TrayClick::None);
    EXPECT_EQ(TrayOnClickTimeout(s), TrayClick::None);
    // The next click is a click again, also when the double click's last up was lost.
    TrayOnMouse(s, WM_LBUTTONDBLCLK);
    EXPECT_EQ(TrayOnMouse(s, WM_LBUTTONDOWN), TrayClick::None);
    EXPECT_EQ(TrayOnMouse(s, WM_LBUTTONUP), TrayClick::WaitForSecond);

    // A right click opens the menu at once, and the pending left click's menu is dropped.
    EXPECT_EQ(TrayOnMouse(s, WM_RBUTTONUP), TrayClick::ShowMenu);
    EXPECT_EQ(TrayOnClickTimeout(s), TrayClick::None);
}

TEST(TrayState, TextIsCut)
{
    wchar_t tip[128];
    const std::wstring longTip(200, L'x');
    TrayCopyText(tip, longTip.c_str(), 127);
    EXPECT_EQ(std::wstring(tip).size(), 127u);
    wchar_t title[64];
    TrayCopyText(title, nullptr, 63);
    EXPECT_STREQ(title, L"");
}
