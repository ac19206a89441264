// Stripes, state words and the editor's decisions, without a window.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "controls/ReportEditLogic.h"

TEST(ReportStripes, SortColumnIsOneShadeDarkerThanItsRow)
{
    EXPECT_EQ(RGB(243, 245, 252), StripeColor(1, 3, -1));
    EXPECT_EQ(RGB(255, 255, 255), StripeColor(0, 3, -1));
    EXPECT_EQ(RGB(235, 238, 250), StripeColor(1, 2, 2));
    EXPECT_EQ(RGB(243, 245, 252), StripeColor(1, 3, 2));
    EXPECT_EQ(RGB(247, 248, 253), StripeColor(0, 2, 2));
    EXPECT_EQ(RGB(255, 255, 255), StripeColor(4, 3, 2));
    for (int row = 0; row < 2; ++row)
        EXPECT_EQ(StripeColor(row, 2, 2) + 0x020708u, StripeColor(row, 3, 2));
}

TEST(ReportStates, WordHasOneBitOfEachPairAndMasksTest)
{
    const DWORD w = MakeStateWord(true, -1, false);
    EXPECT_EQ(static_cast<DWORD>(RVIS_SELECTED | RVIS_UNCHECKED | RVIS_UNFOCUSED), w);
    EXPECT_EQ(static_cast<DWORD>(RVIS_UNSELECTED | RVIS_CHECKED | RVIS_FOCUSED),
              MakeStateWord(false, 1, true));
    EXPECT_EQ(static_cast<DWORD>(RVIS_UNSELECTED | RVIS_UNCHECKED | RVIS_UNFOCUSED),
              MakeStateWord(false, 0, false));
    EXPECT_FALSE(TestStateWord(w, 0));
    EXPECT_TRUE(TestStateWord(w, RVIS_ALL | RVIS_FOCUSED));
    EXPECT_TRUE(TestStateWord(w, RVIS_SELECTED | RVIS_UNCHECKED));
    EXPECT_FALSE(TestStateWord(w, RVIS_SELECTED | RVIS_FOCUSED));
}

TEST(ReportEditKeys, EditorKeysAreTakenAndSpaceNeverReachesTheList)
{
    EXPECT_EQ(EditKey::Tab, DecideEditKey(VK_TAB, true));
    EXPECT_EQ(EditKey::Commit, DecideEditKey(VK_RETURN, true));
    EXPECT_EQ(EditKey::Discard, DecideEditKey(VK_ESCAPE, true));
    EXPECT_EQ(EditKey::Up, DecideEditKey(VK_UP, true));
    EXPECT_EQ(EditKey::Down, DecideEditKey(VK_DOWN, true));
    EXPECT_EQ(EditKey::PassOn, DecideEditKey(VK_SPACE, true));
    EXPECT_EQ(EditKey::PassOn, DecideEditKey('A', true));
    EXPECT_EQ(EditKey::Swallow, DecideEditKey(VK_SPACE, false));
    EXPECT_EQ(EditKey::PassOn, DecideEditKey(VK_RETURN, false));
    EXPECT_EQ(EditKey::PassOn, DecideEditKey(VK_TAB, false));
}

TEST(ReportEditKeys, TabCyclesTheSetAndEndsOutsideIt)
{
    const std::vector<int> set = {0, 3};
    EXPECT_EQ(3, NextEditColumn(set, 0));
    EXPECT_EQ(0, NextEditColumn(set, 3));
    EXPECT_EQ(-1, NextEditColumn(set, 2));
    EXPECT_EQ(-1, NextEditColumn({}, 0));
    EXPECT_EQ(5, NextEditColumn({5}, 5));
}

TEST(ReportEditKeys, UpAndDownWrap)
{
    EXPECT_EQ(0, WrapEditRow(4, 1, 5));
    EXPECT_EQ(4, WrapEditRow(0, -1, 5));
    EXPECT_EQ(2, WrapEditRow(1, 1, 5));
    EXPECT_EQ(0, WrapEditRow(0, -1, 1));
    EXPECT_EQ(-1, WrapEditRow(0, 1, 0));
}

TEST(ReportEditPlacement, SelectionStopsBeforeTheExtensionAndAlignmentFollowsHeader)
{
    EXPECT_EQ(5, EditSelectionEnd(L"take1.wav"));
    EXPECT_EQ(7, EditSelectionEnd(L"a.b.c.d.e"));
    EXPECT_EQ(-1, EditSelectionEnd(L"take1"));
    EXPECT_EQ(0, EditSelectionEnd(L".hidden"));
    EXPECT_EQ(static_cast<DWORD>(ES_LEFT), EditAlignment(false, HDF_RIGHT));
    EXPECT_EQ(static_cast<DWORD>(ES_RIGHT), EditAlignment(true, HDF_RIGHT));
    EXPECT_EQ(static_cast<DWORD>(ES_CENTER), EditAlignment(true, HDF_CENTER));
    EXPECT_EQ(static_cast<DWORD>(ES_LEFT), EditAlignment(true, HDF_LEFT));
}

TEST(ReportEditClick, OnlyASecondClickOnAnEditableColumnOpensTheEditor)
{
    EXPECT_TRUE(ClickStartsEdit(true, false, false, true, true));
    EXPECT_FALSE(ClickStartsEdit(false, false, false, true, true));
    EXPECT_FALSE(ClickStartsEdit(true, true, false, true, true));
    EXPECT_FALSE(ClickStartsEdit(true, false, true, true, true));
    EXPECT_FALSE(ClickStartsEdit(true, false, false, false, true));
    EXPECT_FALSE(ClickStartsEdit(true, false, false, true, false));
}
