// The notification icon's state: whether it is hidden, whether it is in the notification
// area at all, and whether it must be added again once the taskbar exists; and what its
// clicks mean.
#pragma once

struct TrayIconState
{
    bool hidden = true;
    bool removed = true;
    bool readdPending = false;
};

// After the first add (attempted: the add was made).
void TrayOnCreated(TrayIconState& s, bool hidden, bool attempted, bool added);
// The taskbar was recreated: the icon is gone and must come back if shown.
void TrayOnTaskbarCreated(TrayIconState& s);
// The work area changed: the icon may or may not still be there.
void TrayOnWorkAreaChanged(TrayIconState& s);
// Whether to add again now.
bool TrayShouldReadd(const TrayIconState& s);
// After adding again; ok when the add, or the modify that follows a failed add, worked.
void TrayOnReadd(TrayIconState& s, bool ok);
void TrayOnRemoved(TrayIconState& s, bool deleted);

// What a mouse message of the icon asks for. A left click waits for the system's
// double-click time before its menu opens, so that a double click runs only the default
// command.
enum class TrayClick
{
    None,
    WaitForSecond, // start waiting for a second click
    ShowMenu,      // open the menu now
    Default,       // run the menu's default command
};

struct TrayClickState
{
    bool menuPending = false; // a left click waits for the double-click time
    bool endsDouble = false;  // the next left button-up ends a double click
};

// A callback's mouse message (WM_LBUTTONUP, WM_LBUTTONDBLCLK, ...).
TrayClick TrayOnMouse(TrayClickState& s, unsigned event);
// The double-click time after a left click has passed.
TrayClick TrayOnClickTimeout(TrayClickState& s);

// Where the icon's menu opens: TrackPopupMenu's flags and point. The menu lies wholly above
// the point (its bottom edge there) or, where there is more room below, wholly below it:
// never over it, where the second click of a slow double click would choose an item. (A
// menu asked for at the point itself that does not fit below is pushed back up over it.)
// workTop and workBottom bound the work area of the point's monitor; any menu up to half
// that height keeps clear of the point.
struct TrayMenuPlace
{
    unsigned flags;
    int x;
    int y;
};
TrayMenuPlace TrayPlaceMenu(int x, int y, int workTop, int workBottom);

// Copies at most max characters of src (null: empty) into dst of max + 1.
void TrayCopyText(wchar_t* dst, const wchar_t* src, int max);
