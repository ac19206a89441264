#include "controls/ReportEditLogic.h"

#include <commctrl.h>

DWORD MakeStateWord(bool selected, int check, bool focused)
{
    return (selected ? RVIS_SELECTED : RVIS_UNSELECTED) | (check > 0 ? RVIS_CHECKED : RVIS_UNCHECKED) |
           (focused ? RVIS_FOCUSED : RVIS_UNFOCUSED);
}

bool TestStateWord(DWORD word, DWORD mask)
{
    if (mask == 0)
        return false;
    if (mask & RVIS_ALL)
        return true;
    return (word & mask) == mask;
}

COLORREF StripeColor(int row, int column, int keyColumn)
{
    const bool odd = (row % 2) == 1;
    if (column == keyColumn)
        return odd ? RGB(235, 238, 250) : RGB(247, 248, 253);
    return odd ? RGB(243, 245, 252) : RGB(255, 255, 255);
}

EditKey DecideEditKey(UINT vk, bool editing)
{
    if (!editing)
        return vk == VK_SPACE ? EditKey::Swallow : EditKey::PassOn;
    switch (vk)
    {
    case VK_TAB:
        return EditKey::Tab;
    case VK_RETURN:
        return EditKey::Commit;
    case VK_ESCAPE:
        return EditKey::Discard;
    case VK_UP:
        return EditKey::Up;
    case VK_DOWN:
        return EditKey::Down;
    default:
        return EditKey::PassOn;
    }
}

int NextEditColumn(const std::vector<int>& editable, int column)
{
    for (size_t i = 0; i < editable.size(); ++i)
    {
        if (editable[i] == column)
            return editable[(i + 1) % editable.size()];
    }
    return -1;
}

int WrapEditRow(int row, int delta, int rowCount)
{
    if (rowCount <= 0)
        return -1;
    return ((row + delta) % rowCount + rowCount) % rowCount;
}

int EditSelectionEnd(const CString& text)
{
    return text.ReverseFind(L'.');
}

DWORD EditAlignment(bool hasHeader, int headerFormat)
{
    if (!hasHeader)
        return ES_LEFT;
    if (headerFormat & HDF_CENTER)
        return ES_CENTER;
    if (headerFormat & HDF_RIGHT)
        return ES_RIGHT;
    return ES_LEFT;
}

bool ClickStartsEdit(bool editingEnabled, bool checkHandled, bool wasEditing, bool wasSelectedAndFocused,
                     bool columnEditable)
{
    return editingEnabled && !checkHandled && !wasEditing && wasSelectedAndFocused && columnEditable;
}
