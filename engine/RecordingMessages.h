// What the recording threads tell the window that owns the recording. The owner unpacks
// them with RecordingEvents (engine/RecordingEvents.h).
#pragma once

#include <windows.h>

#include "engine/LogLevel.h"

// wParam: null or a new int32_t[lParam] copy of a block (the receiver deletes it).
constexpr UINT WM_REC_PROGRESS = WM_USER + 100;
// wParam: a new CString (the receiver deletes it); lParam: a LogLevel.
constexpr UINT WM_REC_LOG = WM_USER + 101;
// Sent by the encoder thread when the recording is over.
constexpr UINT WM_REC_RESET = WM_USER + 102;
// Posted by a failing worker: wParam 1 capture, 2 encoder; lParam the recording's number
// (RecordingSession::GetRecordingNumber), so that a late one leaves a later recording alone.
constexpr UINT WM_REC_THREAD_END = WM_USER + 103;
// Sent by the encoder thread when the writer is done with the file, before the reset:
// lParam a const RecordingOutcome* (the sender's).
constexpr UINT WM_REC_FINISHED = WM_USER + 105;
// Sent by the capture thread as it starts, so that the status bar is set on the window's
// own thread: lParam a const CString* with the text (the sender's; the receiver copies it).
constexpr UINT WM_REC_STATUS = WM_USER + 106;
