// The yardstick of the start-up benchmark: a program that shows one plain dialog built
// in memory and nothing else, started the same way as the recorder.
#include <windows.h>

namespace
{
INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
    {
        ::SetPropW(hWnd, L"MinimalDialog", reinterpret_cast<HANDLE>(1));
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)
    {
        ::RemovePropW(hWnd, L"MinimalDialog");
        ::EndDialog(hWnd, 1);
        return TRUE;
    }
    return FALSE;
}
} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    // A dialog template with no controls: header, no menu, the default class, a title.
    struct
    {
        DLGTEMPLATE header;
        WORD menu;
        WORD windowClass;
        wchar_t title[8];
    } dialog = {};
    dialog.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_CENTER;
    dialog.header.cx = 200;
    dialog.header.cy = 100;
    lstrcpyW(dialog.title, L"Minimal");
    return static_cast<int>(::DialogBoxIndirectParamW(instance, &dialog.header, nullptr, DialogProc, 0));
}
