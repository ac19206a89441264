#include "framework/CComboBox.h"

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int length = GetLBTextLen(nIndex);
    if (length == CB_ERR)
    {
        rString.Empty();
        return;
    }
    LPWSTR buffer = rString.GetBuffer(length + 1);
    LRESULT copied = SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buffer));
    rString.ReleaseBuffer(copied == CB_ERR ? 0 : static_cast<int>(copied));
}
