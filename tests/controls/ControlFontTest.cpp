#include <gtest/gtest.h>

#include "controls/ControlFont.h"

TEST(ControlFont, OwnFontElseDefaultGuiFont)
{
    HWND hWnd = ::CreateWindowW(L"STATIC", L"x", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(hWnd);
    LOGFONTW gui = {}, lf = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui);
    ASSERT_TRUE(GetControlLogFont(hWnd, &lf));
    EXPECT_STREQ(lf.lfFaceName, gui.lfFaceName) << "a control without a font of its own";
    EXPECT_EQ(lf.lfHeight, gui.lfHeight);

    LOGFONTW mine = gui;
    mine.lfHeight = -23;
    HFONT hFont = ::CreateFontIndirectW(&mine);
    ::SendMessageW(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    ASSERT_TRUE(GetControlLogFont(hWnd, &lf));
    EXPECT_EQ(lf.lfHeight, -23);
    ::DestroyWindow(hWnd);
    ::DeleteObject(hFont);
}
