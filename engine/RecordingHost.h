// The few synchronous calls a recording makes on the window that owns it. Everything
// else travels as the WM_REC_* messages.
#pragma once

#include "framework/CString.h"

class RecordingHost
{
public:
    virtual ~RecordingHost() = default;

    // User-interface thread: Record and Pause/Resume report here.
    virtual void LogEvent(const CString& text, int level) = 0;
    // The recording part of the status bar (the capture thread's text comes as
    // WM_REC_STATUS, for the owner to pass here on its own thread).
    virtual void SetStatusText(const CString& text) = 0;
    // Window icon, tray icon and tip, taskbar button: recording or paused.
    virtual void ShowRecordingState(bool paused) = 0;
    // The save dialog when the settings ask for a name every time; FALSE when cancelled.
    virtual BOOL PromptOutputPath(const CString& extension, CString& path) = 0;
};
