#include <gtest/gtest.h>

#include <windows.h>

#include <utility>

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

namespace
{
// The menu's rows [first, last) as the system lays it out: aligned as asked, then pushed back
// into the work area, up from its bottom and down from its top.
std::pair<int, int> MenuRows(const TrayMenuPlace& place, int height, int workTop, int workBottom)
{
    int y = (place.flags & TPM_BOTTOMALIGN) ? place.y - height : place.y;
    if (y + height > workBottom)
        y = workBottom - height;
    if (y < workTop)
        y = workTop;
    return {y, y + height};
}
} // namespace

TEST(TrayState, TheMenuNeverOpensOverItsPoint)
{
    // At the screen's bottom (the last row, or on a taskbar below the work area) the menu
    // stands on the point; near the top it hangs one row below it.
    const TrayMenuPlace bottom = TrayPlaceMenu(700, 1023, 0, 1024);
    EXPECT_EQ(bottom.flags, static_cast<unsigned>(TPM_LEFTBUTTON | TPM_BOTTOMALIGN));
    EXPECT_EQ(bottom.x, 700);
    EXPECT_EQ(bottom.y, 1023);
    const TrayMenuPlace top = TrayPlaceMenu(700, 0, 0, 1024);
    EXPECT_EQ(top.flags, static_cast<unsigned>(TPM_LEFTBUTTON | TPM_TOPALIGN));
    EXPECT_EQ(top.y, 1);

    // Taskbars at the bottom and at the top: every menu up to half the work area's height,
    // wherever the point is, leaves the point's row free.
    struct Area
    {
        int top;
        int bottom;
    };
    for (const Area area : {Area{0, 1024}, Area{0, 994}, Area{30, 1024}})
    {
        const int middle = (area.top + area.bottom) / 2;
        for (const int y : {area.bottom + 15, area.bottom - 1, area.bottom - 10, middle - 1, middle,
                            middle + 1, area.top + 10, area.top, area.top - 15})
        {
            const TrayMenuPlace place = TrayPlaceMenu(5, y, area.top, area.bottom);
            for (int height = 1; height <= (area.bottom - area.top) / 2; ++height)
            {
                const std::pair<int, int> rows = MenuRows(place, height, area.top, area.bottom);
                ASSERT_FALSE(rows.first <= y && y < rows.second)
                    << area.top << ".." << area.bottom << " point " << y << " height " << height;
            }
        }
    }
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
