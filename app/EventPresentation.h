// Where an event or a status text shows: the status bar's panes with their tooltips,
// and the colours of the Log page by event level.
#pragma once

#include <windows.h>

#include "framework/CString.h"

// The status bar's texts, each in a pane of its own, left to right.
enum StatusKind
{
    STATUS_LAST_EVENT = 1,
    STATUS_CURRENT = 2,
    STATUS_OUTPUT_FORMAT = 3
};

class EventPresentation
{
public:
    // The pane of the kind, from 0 at the left, with its text and tooltip; FALSE for any
    // other kind.
    static BOOL StatusPane(int kind, const CString& text, int& pane, CString& shown, CString& tip);
    // FALSE for levels that get no line on the Log page.
    static BOOL LineColour(int level, COLORREF& colour);
};
