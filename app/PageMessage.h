// The message boxes of the tab pages and their dialogs: owned by the window given (the
// main window for a page), silent while the host records when the user asked for that.
#pragma once

#include <windows.h>

class PageHost;

class PageMessage
{
public:
    // Shows text with the program's caption; the answer of the box. host may be null.
    static int Show(const PageHost* host, HWND hWndOwner, LPCWSTR text, UINT style);
    // The refusal of a change that must wait for the end of the recording.
    static void StopRecordingFirst(const PageHost* host, HWND hWndOwner);
};
