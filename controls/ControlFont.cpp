#include "controls/ControlFont.h"

bool GetControlLogFont(HWND hWnd, LOGFONTW* lf)
{
    HGDIOBJ hFont = reinterpret_cast<HGDIOBJ>(::SendMessageW(hWnd, WM_GETFONT, 0, 0));
    if (!hFont)
        hFont = ::GetStockObject(DEFAULT_GUI_FONT);
    if (!hFont)
        hFont = ::GetStockObject(ANSI_VAR_FONT);
    *lf = LOGFONTW{};
    return hFont && ::GetObjectW(hFont, sizeof(*lf), lf) != 0;
}
