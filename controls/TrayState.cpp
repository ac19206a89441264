#include "controls/TrayState.h"

void TrayOnCreated(TrayIconState& s, bool hidden, bool attempted, bool added)
{
    s.hidden = hidden;
    if (attempted)
        s.removed = s.hidden = s.readdPending = !added;
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
    s.hidden = s.readdPending = !ok;
    s.removed = !ok;
}

void TrayOnRemoved(TrayIconState& s, bool deleted)
{
    s.readdPending = false;
    if (deleted)
        s.hidden = s.removed = true;
}

void TrayCopyText(wchar_t* dst, const wchar_t* src, int max)
{
    int i = 0;
    if (src)
        for (; i < max && src[i]; ++i)
            dst[i] = src[i];
    dst[i] = L'\0';
}
