#include "tests/device_gui/AppWindows.h"

#include <commctrl.h>

#include "controls/XMessageBox.h"
#include "tests/app_gui/RunningApp.h"

std::wstring MessageBoxText(HWND box)
{
    HWND text = ::GetDlgItem(box, XMB_ID_TEXT);
    return text ? TextOf(text) : std::wstring();
}

bool WindowShowsColour(HWND hWnd, COLORREF colour)
{
    int width = 0;
    int height = 0;
    // DIB pixels are 0x00RRGGBB.
    const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    for (DWORD pixel : ClientPixels(hWnd, &width, &height))
        if ((pixel & 0xFFFFFF) == wanted)
            return true;
    return false;
}

std::wstring ClipboardText()
{
    std::wstring text;
    if (!::OpenClipboard(nullptr))
        return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT))
    {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data)))
        {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

bool ClearClipboard()
{
    if (!::OpenClipboard(nullptr))
        return false;
    const bool emptied = ::EmptyClipboard() != FALSE;
    ::CloseClipboard();
    return emptied;
}

void PostNotify(HWND control, WORD code)
{
    ::PostMessageW(::GetParent(control), WM_COMMAND,
                   MAKEWPARAM(static_cast<WORD>(::GetDlgCtrlID(control)), code),
                   reinterpret_cast<LPARAM>(control));
}

void DragTrackbar(HWND trackbar, int position)
{
    // Posted, so that it comes after whatever the test posted before.
    ::PostMessageW(trackbar, TBM_SETPOS, TRUE, position);
    ::PostMessageW(::GetParent(trackbar), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                   reinterpret_cast<LPARAM>(trackbar));
    ::PostMessageW(::GetParent(trackbar), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                   reinterpret_cast<LPARAM>(trackbar));
}
