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
// The colour of unlit segments.
COLORREF GhostColour(COLORREF lit);
