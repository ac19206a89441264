// The receiving side of the WM_REC_* messages, for whoever owns a recording (the main
// window, the driver, the tests): ReceiveRecordingMessage unpacks a message, frees what
// it carries and calls the handler of its kind, so that the owner's window procedure
// only passes its messages on.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/RecordingOutcome.h"
#include "framework/CString.h"

class RecordingEvents
{
public:
    virtual ~RecordingEvents() = default;

    // TRUE when message is one of the recording's, now handled.
    BOOL ReceiveRecordingMessage(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // A block was read. Every tenth block (when levels are shown) comes with a copy of it,
    // count samples; the others with none.
    virtual void OnRecordingProgress(const int32_t* samples, unsigned count) = 0;
    virtual void OnRecordingLog(const CString& text, int level) = 0;
    // The capture thread's status line, brought to the owner's thread.
    virtual void OnRecordingStatus(const CString& text) = 0;
    // The writer is done with the file: how the recording ended and what reached the disk.
    // Before the reset.
    virtual void OnRecordingFinished(const RecordingOutcome& outcome) = 0;
    // The recording is over: back to idle.
    virtual void OnRecordingReset() = 0;
    // A worker failed: 1 the capture thread, 2 the encoder thread, of the recording with
    // that number.
    virtual void OnRecordingThreadEnd(int worker, unsigned recording) = 0;
};
