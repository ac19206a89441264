// Base of the dialogs a system function runs (its DoModal calls that function, with
// PreModal's window as owner).
#pragma once

#include "framework/CDialog.h"

class CCommonDialog : public CDialog
{
public:
    explicit CCommonDialog(CWnd* pParentWnd) { m_pParentWnd = pParentWnd; }
};
