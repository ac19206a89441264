#include <gtest/gtest.h>

#include "controls/HyperLinkLogic.h"

TEST(HyperLinkLogic, BrowserCommandQuotesTheUrl)
{
    EXPECT_EQ(BrowserCommand(L"\"C:\\b.exe\" -nohome \"%1\"", L"http://a.b/?x=1&y=2"),
              L"\"C:\\b.exe\" -nohome \"http://a.b/?x=1&y=2\"");
    EXPECT_EQ(BrowserCommand(L"b.exe %1 -x", L"http://a b"), L"b.exe \"http://a b\"");
    EXPECT_EQ(BrowserCommand(L"b.exe", L"u\"v"), L"b.exe \"u%22v\"") << "no quote of the URL breaks out";
}

TEST(HyperLinkLogic, ErrorTexts)
{
    EXPECT_EQ(HyperLinkErrorText(26), L"Unable to open hyperlink:\n\nA sharing violation occurred. ");
    EXPECT_EQ(HyperLinkErrorText(4), L"Unable to open hyperlink:\n\nUnknown Error (4) occurred.");
    EXPECT_EQ(HyperLinkErrorText(0),
              L"Unable to open hyperlink:\n\nThe operating system is out\nof memory or resources.");
}

TEST(HyperLinkLogic, ColourPrecedence)
{
    const COLORREF link = 1, visited = 2, hover = 3;
    EXPECT_EQ(HyperLinkColour(false, false, link, visited, hover), link);
    EXPECT_EQ(HyperLinkColour(false, true, link, visited, hover), visited);
    EXPECT_EQ(HyperLinkColour(true, true, link, visited, hover), hover);
}

TEST(HyperLinkLogic, FitToText)
{
    const RECT w = {10, 20, 110, 60};
    const SIZE border = {2, 2}, text = {50, 14};
    RECT r = FitLinkRect(w, border, text, SS_LEFT);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right, 62);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.bottom, 36);
    r = FitLinkRect(w, border, text, SS_RIGHT | SS_CENTERIMAGE);
    EXPECT_EQ(r.right, 110);
    EXPECT_EQ(r.left, 58);
    EXPECT_EQ(r.top, 32);
    EXPECT_EQ(r.bottom, 48);
    r = FitLinkRect(w, border, text, SS_CENTER);
    EXPECT_EQ(r.left, 34);
    EXPECT_EQ(r.right, 86);
}
