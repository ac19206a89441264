#include "engine/RecordingLog.h"

#include <memory>

#include "engine/RecordingMessages.h"

void PostRecordingLog(HWND hWnd, const CString& text, int level)
{
    std::unique_ptr<CString> message(new CString(text));
    if (PostMessageW(hWnd, WM_REC_LOG, reinterpret_cast<WPARAM>(message.get()), static_cast<LPARAM>(level)))
        message.release(); // the receiver deletes it
}
