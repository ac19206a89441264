#include "engine/RecordingEvents.h"

#include <memory>

#include "engine/RecordingMessages.h"

BOOL RecordingEvents::ReceiveRecordingMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_REC_PROGRESS:
    {
        // The copy is ours on every path.
        const std::unique_ptr<int32_t[]> samples(reinterpret_cast<int32_t*>(wParam));
        OnRecordingProgress(samples.get(), samples ? static_cast<unsigned>(lParam) : 0);
        return TRUE;
    }
    case WM_REC_LOG:
    {
        const std::unique_ptr<CString> text(reinterpret_cast<CString*>(wParam));
        if (text)
            OnRecordingLog(*text, static_cast<int>(lParam));
        return TRUE;
    }
    case WM_REC_STATUS:
        if (lParam)
            OnRecordingStatus(*reinterpret_cast<const CString*>(lParam));
        return TRUE;
    case WM_REC_FINISHED:
    {
        // Sent, so it overtakes the lines the workers posted before it: those come first,
        // so that a failure's headline and its detail stay together, before the file's line.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_REC_LOG, WM_REC_LOG, PM_REMOVE))
            DispatchMessageW(&msg);
        if (lParam)
            OnRecordingFinished(*reinterpret_cast<const RecordingOutcome*>(lParam));
        return TRUE;
    }
    case WM_REC_RESET:
        OnRecordingReset();
        return TRUE;
    case WM_REC_THREAD_END:
        OnRecordingThreadEnd(static_cast<int>(wParam), static_cast<unsigned>(lParam));
        return TRUE;
    default:
        return FALSE;
    }
}
