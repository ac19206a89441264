#include "app/TipPaintLayout.h"

namespace
{
constexpr int kBandGap = 10;   // between the band and the tip text
constexpr int kShadowTop = 50; // the band's light part above the shadow
constexpr int kRuleBelow = 4;  // the rule's distance below the bulb
} // namespace

TipPaintLayout TipPaintLayout::Compute(const RECT& frame, const RECT& tip, const RECT& bulb)
{
    TipPaintLayout layout;
    layout.band = frame;
    layout.band.right = tip.left - kBandGap;
    layout.shadow = layout.band;
    layout.shadow.top = layout.band.top + kShadowTop;
    layout.separator = {frame.left, bulb.bottom + kRuleBelow, frame.right, bulb.bottom + kRuleBelow + 1};
    layout.heading = {tip.left, bulb.top, tip.right, tip.bottom};
    return layout;
}
