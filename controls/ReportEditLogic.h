// Decisions of the report list that need no window: stripes, row state words, in-place
// editor keys and placement, check styles.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/CString.h"

// Row state bits, as tests and as actions.
enum ReportItemState : DWORD
{
    RVIS_ALL = 0x01,
    RVIS_SELECTED = 0x02,
    RVIS_UNSELECTED = 0x04,
    RVIS_CHECKED = 0x08,
    RVIS_UNCHECKED = 0x10,
    RVIS_FOCUSED = 0x20,
    RVIS_UNFOCUSED = 0x40,
};

enum ReportCheckStyle
{
    RC_CHKBOX_NONE = 0,
    RC_CHKBOX_MULTIPLE = 1,
    RC_CHKBOX_SINGLE = 2,
    RC_CHKBOX_READONLY = 3,
};

// check: the list's check state (> 0 checked; -1 without check boxes).
DWORD MakeStateWord(bool selected, int check, bool focused);
// mask 0 matches nothing, a mask with All everything, else every bit must be set.
bool TestStateWord(DWORD word, DWORD mask);

// Back colour of a striped cell; keyColumn -1 when the list has no sort key.
COLORREF StripeColor(int row, int column, int keyColumn);

// What a key does to the list while an edit runs (or not).
enum class EditKey
{
    PassOn,
    Swallow,
    Tab,
    Commit,
    Discard,
    Up,
    Down,
};
EditKey DecideEditKey(UINT vk, bool editing);
// The column Tab moves the editor to, or -1 when the edit column is not in the set.
int NextEditColumn(const std::vector<int>& editable, int column);
// Row Up (-1) or Down (+1) moves the editor to, wrapping around the list.
int WrapEditRow(int row, int delta, int rowCount);
// End of the selection the editor starts with: up to the last '.', or -1 for all.
int EditSelectionEnd(const CString& text);
// Edit alignment (ES_LEFT, ES_CENTER, ES_RIGHT) for a header item's format.
DWORD EditAlignment(bool hasHeader, int headerFormat);
// A left click on a row that was already selected and focused opens the editor.
bool ClickStartsEdit(bool editingEnabled, bool checkHandled, bool wasEditing, bool wasSelectedAndFocused,
                     bool columnEditable);
