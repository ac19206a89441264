#include "controls/TrayState.h"

#include <windows.h>

void TrayOnCreated(TrayIconState& s, bool hidden, bool attempted, bool added)
{
    s.hidden = hidden;
    if (!attempted)
        return;
    // A failed add (no taskbar yet) keeps the icon meant to be shown, so that the next
    // "TaskbarCreated" adds it.
    s.removed = s.readdPending = !added;
    if (added)
        s.hidden = false;
}

void TrayOnTaskbarCreated(TrayIconState& s)
{
    s.readdPending = true;
}

void TrayOnWorkAreaChanged(TrayIconState& s)
{
    s.readdPending = !s.hidden;
}

bool TrayShouldReadd(const TrayIconState& s)
{
    return s.readdPending && !s.hidden;
}

void TrayOnReadd(TrayIconState& s, bool ok)
{
    // Failing, the icon stays meant to be shown and waits for the next taskbar.
    s.removed = s.readdPending = !ok;
}

void TrayOnRemoved(TrayIconState& s, bool deleted)
{
    s.readdPending = false;
    if (deleted)
        s.hidden = s.removed = true;
}

TrayClick TrayOnMouse(TrayClickState& s, unsigned event)
{
    switch (event)
    {
    case WM_LBUTTONDOWN:
        // A new click: an up that ended a double click went missing.
        s.endsDouble = false;
        return TrayClick::None;
    case WM_LBUTTONUP:
        if (s.endsDouble)
        {
            s.endsDouble = false;
            return TrayClick::None;
        }
        s.menuPending = true;
        return TrayClick::WaitForSecond;
    case WM_LBUTTONDBLCLK:
        s.menuPending = false;
        s.endsDouble = true;
        return TrayClick::Default;
    case WM_RBUTTONUP:
        s.menuPending = false;
        return TrayClick::ShowMenu;
    default:
        return TrayClick::None;
    }
}

TrayClick TrayOnClickTimeout(TrayClickState& s)
{
    if (!s.menuPending)
        return TrayClick::None;
    s.menuPending = false;
    return TrayClick::ShowMenu;
}

TrayMenuPlace TrayPlaceMenu(int x, int y, int workTop, int workBottom)
{
    // Rows above the point and rows below it, the point's own row in neither.
    if (y - workTop >= workBottom - (y + 1))
        return {TPM_LEFTBUTTON | TPM_BOTTOMALIGN, x, y};
    return {TPM_LEFTBUTTON | TPM_TOPALIGN, x, y + 1};
}

void TrayCopyText(wchar_t* dst, const wchar_t* src, int max)
{
    int i = 0;
    if (src)
        for (; i < max && src[i]; ++i)
            dst[i] = src[i];
    dst[i] = L'\0';
}
