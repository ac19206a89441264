#include <gtest/gtest.h>

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
