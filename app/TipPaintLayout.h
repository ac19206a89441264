// Where the Tip of the Day dialog paints, from its frame, tip text area and bulb icon
// (all in the dialog's client coordinates): a light band on the left behind the bulb that
// turns to shadow below it, a rule under the bulb, the heading beside the bulb.
#pragma once

#include <windows.h>

struct TipPaintLayout
{
    RECT band;      // the left band, button face
    RECT shadow;    // its lower part, button shadow
    RECT separator; // one pixel high across the frame
    RECT heading;   // the heading's single line starts at its top

    static TipPaintLayout Compute(const RECT& frame, const RECT& tip, const RECT& bulb);
};
