// A log line from a recording thread to the window that owns the recording.
#pragma once

#include <windows.h>

#include "engine/LogLevel.h"
#include "framework/CString.h"

// Posts WM_REC_LOG with a copy of text; level is a LogLevel. Lost when the post fails.
void PostRecordingLog(HWND hWnd, const CString& text, int level);
