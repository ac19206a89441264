#include <gtest/gtest.h>

#include "controls/CMemDC2.h"
#include "controls/SevenSegment.h"

TEST(SevenSegment, SizesFromHeight)
{
    EXPECT_EQ(SegmentSizeForHeight(20).thickness, 1);
    EXPECT_EQ(SegmentSizeForHeight(20).length, 7);
    EXPECT_EQ(SegmentSizeForHeight(10).thickness, 1);
    EXPECT_EQ(SegmentSizeForHeight(10).length, 3);
    // Values at which a float product rounds below the integer on some FPUs.
    EXPECT_EQ(SegmentSizeForHeight(50).thickness, 3);
    EXPECT_EQ(SegmentSizeForHeight(100).length, 35);
    EXPECT_EQ(SegmentSizeForHeight(0).length, 1);
}

TEST(SevenSegment, Codes)
{
    EXPECT_EQ(SegmentCode(L'0'), 0xFC);
    EXPECT_EQ(SegmentCode(L'8'), 0xFE);
    EXPECT_EQ(SegmentCode(L'-'), 0x02);
    EXPECT_EQ(SegmentCode(L'.'), kSegDecimalPoint);
    EXPECT_EQ(SegmentCode(L':'), kSegColon);
    EXPECT_EQ(SegmentCode(L' '), -1);
}

TEST(SevenSegment, CellPositionsAroundColonsAndPoint)
{
    const SegmentSize s = {1, 7};
    // 0 0 : 1 2 . 3 : colon advances t+L, the cell after it L+1, others L+4t.
    EXPECT_EQ(SegmentCellPositions(L"00:12.3", s), (std::vector<int>{0, 11, 19, 27, 38, 49, 60}));
    EXPECT_EQ(SegmentCellPositions(L"   ", s), (std::vector<int>{0, 11, 22}));
}

TEST(SevenSegment, ChangedCells)
{
    const SegmentSize s = {1, 7};
    std::vector<CellSpan> spans;
    ASSERT_TRUE(ChangedCellSpans(L"00:12.3", L"00:12.4", s, spans));
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_EQ(spans[0].left, 60 - 1);
    EXPECT_EQ(spans[0].right, 60 + 7 + 2 + 2);
    ASSERT_TRUE(ChangedCellSpans(L"-06", L"-06", s, spans));
    EXPECT_TRUE(spans.empty());
    // Cells that move: all of it is repainted.
    EXPECT_FALSE(ChangedCellSpans(L"   ", L"00:00:00.1", s, spans));
    EXPECT_FALSE(ChangedCellSpans(L"00:12", L"001:2", s, spans));
}

TEST(SevenSegment, Lines)
{
    const SegmentSize s = {2, 10};
    const std::vector<SegmentLine> minus = SegmentLines(0x02, 5, s);
    ASSERT_EQ(minus.size(), 1u);
    EXPECT_EQ(minus[0].from.x, 9);
    EXPECT_EQ(minus[0].from.y, 16);
    EXPECT_EQ(minus[0].to.x, 15);
    EXPECT_EQ(SegmentLines(kSegGhost, 0, s).size(), 7u);
    EXPECT_EQ(SegmentLines(SegmentCode(L'1'), 0, s).size(), 2u);
    const std::vector<SegmentLine> colon = SegmentLines(kSegColon, 0, s);
    ASSERT_EQ(colon.size(), 2u);
    EXPECT_EQ(colon[1].from.y, 22);
    EXPECT_EQ(colon[0].to.x, 5 + 4);
    const std::vector<SegmentLine> point = SegmentLines(kSegDecimalPoint, 0, s);
    ASSERT_EQ(point.size(), 1u);
    EXPECT_EQ(point[0].from.y, 28);
    EXPECT_EQ(GhostColour(RGB(0, 255, 0)), RGB(0, 85, 0));
}

TEST(MemDC2, CopiesOnceAndCopesWithEmptyRect)
{
    HDC hScreen = ::GetDC(nullptr);
    CDC target;
    ASSERT_TRUE(target.CreateCompatibleDC(CDC::FromHandle(hScreen)));
    HBITMAP hBmp = ::CreateCompatibleBitmap(hScreen, 20, 20);
    HGDIOBJ old = ::SelectObject(target.m_hDC, hBmp);
    target.FillSolidRect(0, 0, 20, 20, RGB(255, 255, 255));
    {
        const RECT r = {5, 5, 15, 15};
        CMemDC2 mem(&target, &r);
        EXPECT_TRUE(mem.IsMemory());
        mem.FillSolidRect(&r, RGB(0, 0, 255));
        EXPECT_EQ(::GetPixel(target.m_hDC, 10, 10), RGB(255, 255, 255)) << "not on the target yet";
    }
    EXPECT_EQ(::GetPixel(target.m_hDC, 10, 10), RGB(0, 0, 255));
    EXPECT_EQ(::GetPixel(target.m_hDC, 2, 2), RGB(255, 255, 255));
    {
        // An empty clip box: drawing goes to the target directly.
        HRGN hEmpty = ::CreateRectRgn(0, 0, 0, 0);
        ::SelectClipRgn(target.m_hDC, hEmpty);
        CMemDC2 mem(&target, nullptr);
        EXPECT_FALSE(mem.IsMemory());
        EXPECT_EQ(mem.m_hDC, target.m_hDC);
        ::SelectClipRgn(target.m_hDC, nullptr);
        ::DeleteObject(hEmpty);
    }
    {
        // A zero-width rectangle gets no bitmap; drawing still reaches the target.
        const RECT r = {5, 5, 5, 15};
        CMemDC2 mem(&target, &r);
        EXPECT_FALSE(mem.IsMemory());
        mem.FillSolidRect(0, 0, 4, 4, RGB(255, 0, 0));
    }
    EXPECT_EQ(::GetPixel(target.m_hDC, 1, 1), RGB(255, 0, 0));
    EXPECT_TRUE(target.m_hDC) << "the borrowed DC was not deleted";
    ::SelectObject(target.m_hDC, old);
    ::DeleteObject(hBmp);
    ::ReleaseDC(nullptr, hScreen);
}
