// Where an event or a status text shows: the status bar's panes with their tooltips,
// and the colours of the Log page by event level.
#pragma once

#include <windows.h>

#include "framework/CString.h"

class EventPresentation
{
public:
    // kind 1 last event (pane 0), 2 current status (pane 1), 3 output format (pane 2);
    // FALSE for any other kind.
    static BOOL StatusPane(int kind, const CString& text, int& pane, CString& shown, CString& tip);
    // FALSE for levels that get no line on the Log page.
    static BOOL LineColour(int level, COLORREF& colour);
};
