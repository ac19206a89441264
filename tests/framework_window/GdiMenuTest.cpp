// Ownership of menus, GDI objects and temporary wrappers.
#include <gtest/gtest.h>

#include "framework/CBrush.h"
#include "framework/CDC.h"
#include "framework/CFont.h"
#include "framework/CHandleMap.h"
#include "framework/CMenu.h"
#include "framework/CPen.h"
#include "framework/CWnd.h"

TEST(Ownership, MenuIsDestroyedUnlessDetached)
{
    HMENU owned, detached;
    {
        CMenu a, b;
        ASSERT_TRUE(a.CreatePopupMenu());
        ASSERT_TRUE(b.CreatePopupMenu());
        owned = a.m_hMenu;
        detached = b.Detach();
    }
    EXPECT_FALSE(::IsMenu(owned));
    EXPECT_TRUE(::IsMenu(detached));
    ::DestroyMenu(detached);
}

TEST(Ownership, TemporaryWrappersOwnNothing)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    HMENU sub = ::CreatePopupMenu();
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"sub");
    HWND hWnd =
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);

    CMenu* subWrapper = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, subWrapper);
    EXPECT_EQ(sub, subWrapper->m_hMenu);
    EXPECT_EQ(subWrapper, CMenu::FromHandle(sub)); // one wrapper per handle
    CWnd* wndWrapper = CWnd::FromHandle(hWnd);
    EXPECT_EQ(hWnd, wndWrapper->m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));

    CHandleMapBase::DeleteTemporaryObjects();
    EXPECT_TRUE(::IsMenu(sub));
    EXPECT_TRUE(::IsWindow(hWnd));
    ::DestroyWindow(hWnd);
}

TEST(Ownership, SelectObjectHandsBackThePreviousObject)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CPen pen(PS_SOLID, 2, RGB(0, 255, 0));
    CBrush brush(RGB(10, 20, 30));
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(80, L"Tahoma"));
    HGDIOBJ originalPen = ::GetCurrentObject(dc, OBJ_PEN);

    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    CFont* oldFont = dc.SelectObject(&font);
    ASSERT_NE(nullptr, oldPen);
    EXPECT_EQ(originalPen, oldPen->m_hObject);
    EXPECT_EQ(pen.m_hObject, ::GetCurrentObject(dc, OBJ_PEN));

    COLORREF background = dc.SetBkColor(RGB(1, 1, 1));
    (void)background;
    RECT rect = {0, 0, 4, 4};
    dc.FillSolidRect(&rect, RGB(200, 0, 0));
    EXPECT_EQ(RGB(1, 1, 1), ::GetBkColor(dc)); // filling leaves the DC as it was

    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldFont);
    EXPECT_EQ(originalPen, ::GetCurrentObject(dc, OBJ_PEN));
    CHandleMapBase::DeleteTemporaryObjects();
    // Freeing the temporary wrappers did not delete the DC's stock objects.
    EXPECT_EQ(OBJ_PEN, ::GetObjectType(originalPen));
}
