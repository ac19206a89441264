#include "app/EventPresentation.h"

#include "engine/RecordingMessages.h"

BOOL EventPresentation::StatusPane(int kind, const CString& text, int& pane, CString& shown, CString& tip)
{
    switch (kind)
    {
    case STATUS_LAST_EVENT:
        pane = 0;
        shown = L"  " + text;
        tip = L"Last Event:  " + text;
        return TRUE;
    case STATUS_CURRENT:
        pane = 1;
        shown = L" " + text;
        tip = L"Current Status: " + text;
        return TRUE;
    case STATUS_OUTPUT_FORMAT:
        pane = 2;
        shown = L"  " + text;
        tip = L"Output Audio Format: " + text;
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL EventPresentation::LineColour(int level, COLORREF& colour)
{
    switch (level)
    {
    case LOG_NOTE:
    case LOG_INFO:
        colour = RGB(0, 0, 255);
        return TRUE;
    case LOG_WARNING:
        colour = RGB(153, 0, 0);
        return TRUE;
    case LOG_ERROR:
        colour = RGB(255, 0, 0);
        return TRUE;
    default:
        return FALSE;
    }
}
