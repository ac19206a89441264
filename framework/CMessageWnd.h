// A message-only window (parent HWND_MESSAGE): no display, no input, only the messages
// sent or posted to it, dispatched through the message map of the class derived from it.
#pragma once

#include "framework/CWnd.h"

class CMessageWnd : public CWnd
{
public:
    // CreateWindowEx of the framework's window class with HWND_MESSAGE as the parent.
    BOOL CreateMessageWindow(LPCWSTR lpszWindowName = L"");
};
