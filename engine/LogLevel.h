// How much a line of the event log matters (the lParam of WM_REC_LOG).
#pragma once

enum LogLevel
{
    LOG_NOTE = -1,
    LOG_INFO = 0,
    LOG_WARNING = 1,
    LOG_ERROR = 2
};
