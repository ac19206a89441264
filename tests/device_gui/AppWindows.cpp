#include "tests/device_gui/AppWindows.h"

#include <commctrl.h>

#include <vector>

#include "controls/XMessageBox.h"
#include "tests/app_gui/RunningApp.h"

namespace
{
struct WindowSearch
{
    DWORD processId;
    std::wstring caption;
    HWND except;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid != search->processId || hWnd == search->except || !::IsWindowVisible(hWnd))
        return TRUE;
    if (TextOf(hWnd) != search->caption)
        return TRUE;
    search->found = hWnd;
    return FALSE;
}
} // namespace

HWND FindProcessWindow(DWORD processId, const std::wstring& caption, HWND except)
{
    WindowSearch search = {processId, caption, except, nullptr};
    ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring MessageBoxText(HWND box)
{
    HWND text = ::GetDlgItem(box, XMB_ID_TEXT);
    return text ? TextOf(text) : std::wstring();
}

bool WindowShowsColour(HWND hWnd, COLORREF colour)
{
    RECT rect;
    ::GetClientRect(hWnd, &rect);
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory, old);
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = -height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    // DIB pixels are 0x00RRGGBB.
    const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    for (DWORD pixel : pixels)
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
