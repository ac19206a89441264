// Data exchange between a dialog's controls and its members, run by UpdateData:
// m_bSaveAndValidate TRUE reads the controls into the members, FALSE writes the members
// into the controls. A value that fails (a malformed number, a value out of range) is
// reported to the user with a message box, the control gets the focus, and UpdateData
// returns FALSE.
#pragma once

#include <windows.h>

#include "framework/CString.h"

class CWnd;

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;

    // The control's window; Fail()s when the dialog has no such control.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Ends the exchange; when saving, the last prepared control gets the focus.
    [[noreturn]] void Fail();

    // What Fail throws; UpdateData catches it.
    struct Failure
    {
    };
};

// Subclasses the control with rControl once; later exchanges leave it alone.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first radio button of a group (WS_GROUP); value is the index of the checked
// button within the group, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// The selected index of a combo box, -1 for none.
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);

// Text to number as the exchange reads it: blanks around, an optional sign (only when
// signed), decimal digits, nothing else; the value must lie in [minValue, maxValue].
bool ParseIntegerText(LPCWSTR text, bool allowSign, long long minValue, long long maxValue, long long* value);
// Blanks around a floating-point number that wcstod reads whole.
bool ParseDoubleText(LPCWSTR text, double* value);
