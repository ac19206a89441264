#include "app/PageMessage.h"

#include "app/AppGlobals.h"
#include "app/PageHost.h"
#include "controls/XMessageBox.h"

int PageMessage::Show(const PageHost* host, HWND hWndOwner, LPCWSTR text, UINT style)
{
    if (g_settings.bMuteWhileRecording && IsHostRecording(host))
        style |= XMB_SILENT;
    return XMessageBox(hWndOwner, text, L"Quillmoth", style);
}

void PageMessage::StopRecordingFirst(const PageHost* host, HWND hWndOwner)
{
    Show(host, hWndOwner, L"You MUST Stop Recording First!", MB_ICONHAND);
}
