#include "controls/SevenSegment.h"

#include <algorithm>

SegmentSize SegmentSizeForHeight(int height)
{
    return {std::max(1, height * 6 / 100), std::max(1, height * 35 / 100)};
}

int SegmentCode(wchar_t ch)
{
    static const int kDigits[10] = {0xFC, 0x60, 0xDA, 0xF2, 0x66, 0xB6, 0xBE, 0xE0, 0xFE, 0xF6};
    if (ch >= L'0' && ch <= L'9')
        return kDigits[ch - L'0'];
    if (ch == L'-')
        return 0x02;
    if (ch == L'.')
        return kSegDecimalPoint;
    if (ch == L':')
        return kSegColon;
    return -1;
}

std::vector<SegmentLine> SegmentLines(int code, int a, const SegmentSize& s)
{
    const int t = s.thickness;
    const int L = s.length;
    std::vector<SegmentLine> v;
    if (code == kSegDecimalPoint)
    {
        v.push_back({{a + 2 * t, 2 * L + 4 * t}, {a + L / 2, 2 * L + 4 * t}});
        return v;
    }
    if (code == kSegColon)
    {
        v.push_back({{a + 4 * t, L}, {a + L / 2 + 2 * t, L}});
        v.push_back({{a + 4 * t, 2 * L + t}, {a + L / 2 + 2 * t, 2 * L + t}});
        return v;
    }
    const int bits = code == kSegGhost ? 0xFE : code;
    if (bits & 0x80)
        v.push_back({{a + 2 * t, t}, {a + L, t}});
    if (bits & 0x40)
        v.push_back({{a + L + t, 2 * t}, {a + L + t, L + 2 * t}});
    if (bits & 0x20)
        v.push_back({{a + L + t, L + 4 * t}, {a + L + t, 2 * L + 3 * t}});
    if (bits & 0x10)
        v.push_back({{a + 2 * t, 2 * L + 4 * t}, {a + L, 2 * L + 4 * t}});
    if (bits & 0x08)
        v.push_back({{a + t, L + 4 * t}, {a + t, 2 * L + 3 * t}});
    if (bits & 0x04)
        v.push_back({{a + t, 2 * t}, {a + t, L + 2 * t}});
    if (bits & 0x02)
        v.push_back({{a + 2 * t, L + 3 * t}, {a + L, L + 3 * t}});
    return v;
}

std::vector<int> SegmentCellPositions(const std::wstring& text, const SegmentSize& s)
{
    std::vector<int> v;
    int x = 0;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (i > 0)
        {
            if (text[i] == L':')
                x += s.thickness + s.length;
            else if (text[i - 1] == L':')
                x += s.length + 1;
            else
                x += s.length + 4 * s.thickness;
        }
        v.push_back(x);
    }
    return v;
}

CellSpan SegmentCellSpan(int x, const SegmentSize& s)
{
    // The outermost segments lie at x + t and x + L + t; a pen t wide reaches half of it
    // further, and a pixel more is left for its rounding.
    return {x - 1, x + s.length + 2 * s.thickness + 2};
}

bool ChangedCellSpans(const std::wstring& before, const std::wstring& after, const SegmentSize& s,
                      std::vector<CellSpan>& spans)
{
    spans.clear();
    if (before.size() != after.size())
        return false;
    for (size_t i = 0; i < after.size(); ++i)
        if ((before[i] == L':') != (after[i] == L':'))
            return false;
    const std::vector<int> cells = SegmentCellPositions(after, s);
    for (size_t i = 0; i < after.size(); ++i)
        if (before[i] != after[i])
            spans.push_back(SegmentCellSpan(cells[i], s));
    return true;
}

COLORREF GhostColour(COLORREF lit)
{
    return RGB(GetRValue(lit) / 3, GetGValue(lit) / 3, GetBValue(lit) / 3);
}
