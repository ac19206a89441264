// Puts text on the clipboard as CF_UNICODETEXT. The clipboard is closed on every path and
// the memory freed unless the clipboard took it. The system functions sit in a table so
// that the failure paths can be tested.
#pragma once

#include <windows.h>

#include "framework/CString.h"

class ClipboardWriter
{
public:
    struct Api
    {
        BOOL(WINAPI* openClipboard)(HWND);
        BOOL(WINAPI* emptyClipboard)();
        HGLOBAL(WINAPI* globalAlloc)(UINT, SIZE_T);
        LPVOID(WINAPI* globalLock)(HGLOBAL);
        BOOL(WINAPI* globalUnlock)(HGLOBAL);
        HGLOBAL(WINAPI* globalFree)(HGLOBAL);
        HANDLE(WINAPI* setClipboardData)(UINT, HANDLE);
        BOOL(WINAPI* closeClipboard)();
    };
    static const Api& System();

    explicit ClipboardWriter(const Api& api = System()) : m_api(api) {}

    // FALSE when nothing was copied: empty text, or a step of the system failed.
    BOOL CopyText(HWND owner, const CString& text) const;

private:
    const Api& m_api;
};
