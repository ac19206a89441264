#include "app/PageMessage.h"

#include "app/AppGlobals.h"
#include "app/pages/CTabPage.h"
#include "controls/XMessageBox.h"

int PageMessage::Show(HWND hWndOwner, LPCWSTR text, UINT style)
{
    if (g_settings.bMuteWhileRecording && IsMainWindowRecording())
        style |= XMB_SILENT;
    return XMessageBox(hWndOwner, text, L"Quillmoth", style);
}

void PageMessage::StopRecordingFirst(HWND hWndOwner)
{
    Show(hWndOwner, L"You MUST Stop Recording First!", MB_ICONHAND);
}
