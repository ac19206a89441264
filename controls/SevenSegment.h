// Geometry of the seven-segment read-out: segment sizes from the control's height, the
// code of each character, the line of each segment and where each character cell starts.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

constexpr int kSegDecimalPoint = 256;
constexpr int kSegColon = 257;
constexpr int kSegGhost = 999;

struct SegmentSize
{
    int thickness; // t: stroke width and spacing unit
    int length;    // L
};

// Integer arithmetic, so every compiler and FPU mode gives the same sizes.
SegmentSize SegmentSizeForHeight(int height);
// -1 for a character that lights nothing.
int SegmentCode(wchar_t ch);

struct SegmentLine
{
    POINT from;
    POINT to; // excluded, as LineTo draws
};
std::vector<SegmentLine> SegmentLines(int code, int x, const SegmentSize& s);
// x of each character's cell.
std::vector<int> SegmentCellPositions(const std::wstring& text, const SegmentSize& s);
// The columns [left, right) that the cell starting at x can paint, wide pen included.
struct CellSpan
{
    int left;
    int right;
};
CellSpan SegmentCellSpan(int x, const SegmentSize& s);
// The spans of the cells whose character differs from one text to the next. False when the
// cells themselves move (another length, or a colon elsewhere): then all of it is new.
bool ChangedCellSpans(const std::wstring& before, const std::wstring& after, const SegmentSize& s,
                      std::vector<CellSpan>& spans);
// The colour of unlit segments.
COLORREF GhostColour(COLORREF lit);
